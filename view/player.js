// Plays what motion/ computed: the drawing from above, each segment's path,
// and the parts moving along it. motion/ packed each segment as keyframes
// close enough that every number moves on the straight line from one to the
// next (motion/PackedMotion.h): playing is finding the two keyframes around
// a moment and interpolating, with no rule of motion here. The drawing and
// the paths are drawn into a background canvas only when the view or the
// simulation changes; a frame copies it and draws the parts over it,
// allocating nothing of the scene.
// The background reaches beyond the view on every side, so that a view that
// moves (following the parts, or dragged) is mostly a copy at an offset.
"use strict";
(function () {
  // A keyframe's layout, which the build copies from motion/: a head of
  // HEAD floats, then PER_PART for each part drawn, its place in the order
  // setTransform takes (a, b, c, d, e, f), with e and f less the origin.
  const TIME = @kKeyframeTime@, POSITION = @kKeyframePosition@, X = @kKeyframeX@, Y = @kKeyframeY@;
  const HEAD = @kKeyframeHead@, PER_PART = @kFloatsPerPart@, E = @kPartE@, F = @kPartF@;
  // What is drawn of a part: its place, then its block's index.
  const DRAWN = PER_PART + 1, BLOCK = PER_PART;
  const scene = JSON.parse(document.getElementById("scene").textContent);
  for (const sim of scene.sims)
    for (const section of sim.sections)
      for (const seg of section.segments) seg.stride = HEAD + PER_PART * seg.blocks.length;
  const $ = (id) => document.getElementById(id);
  const canvas = $("view");
  const ctx = canvas.getContext("2d");
  const background = document.createElement("canvas");
  const bctx = background.getContext("2d");
  const unitCircle = new Path2D();
  unitCircle.arc(0, 0, 1, 0, 2 * Math.PI);

  function outlinePath(outline) {
    const path = new Path2D();
    for (const piece of outline.paths) {
      const xy = piece.xy;
      if (xy.length < 2) continue;
      path.moveTo(xy[0], xy[1]);
      for (let i = 2; i < xy.length; i += 2) path.lineTo(xy[i], xy[i + 1]);
      if (piece.closed) path.closePath();
    }
    for (const e of outline.ellipses)
      path.addPath(unitCircle, new DOMMatrix([e[2], e[3], e[4], e[5], e[0], e[1]]));
    return path;
  }
  const blockPaths = scene.blocks.map(outlinePath);

  // Each outline's box in its block's own units, [x0, y0, x1, y1], as
  // motion/ bounds it; null when it draws nothing.
  const blockBoxes = scene.blocks.map((block) => block.box);
  const loosePath = outlinePath(scene.loose);

  // The view: a drawing point (x, y) shows at CSS pixel (x·s + tx, −y·s + ty).
  const view = { s: 1, tx: 0, ty: 0, dpr: 1 };
  // How far, in CSS pixels, the background reaches beyond the view on each
  // side, and the view's tx and ty when it was painted.
  const MARGIN = 200;
  const painted = { tx: 0, ty: 0 };
  const state = { sim: -1, time: 0, playing: false, rate: 1, last: 0, follow: false };
  let sim = null, data = null, trace = null, swept = null, drawn = new Float64Array(0), drawnCount = 0;
  // The section playing and the lead segment's position, as last placed.
  const playing = { section: 0, position: 0 };
  const shown = { clock: "", section: "", position: "" };

  function decode(index) {
    const text = $("positions-" + index).textContent.trim();
    const bytes = atob(text);
    const buffer = new ArrayBuffer(bytes.length);
    const view8 = new Uint8Array(buffer);
    for (let i = 0; i < bytes.length; ++i) view8[i] = bytes.charCodeAt(i);
    return new Float32Array(buffer);
  }

  function tracePath() {
    const path = new Path2D();
    for (const section of sim.sections)
      for (const seg of section.segments) {
        for (let i = 0; i < seg.keyframes; ++i) {
          const k = seg.at + i * seg.stride;
          const x = seg.origin[0] + data[k + X], y = seg.origin[1] + data[k + Y];
          if (i === 0) path.moveTo(x, y); else path.lineTo(x, y);
        }
      }
    return path;
  }

  // What the simulation sweeps, when znsim view was asked for it: the
  // envelope and the clearance outline as even-odd paths of their rings.
  function sweptPaths() {
    if (!sim.sweep) return null;
    const ringsPath = (rings) => {
      const path = new Path2D();
      for (const xy of rings) {
        path.moveTo(xy[0], xy[1]);
        for (let i = 2; i < xy.length; i += 2) path.lineTo(xy[i], xy[i + 1]);
        path.closePath();
      }
      return path;
    };
    return { envelope: ringsPath(sim.sweep.envelope), clearance: ringsPath(sim.sweep.clearance) };
  }

  function drawSwept() {
    through(bctx, 1, 0, 0, 1, 0, 0, 1);
    bctx.setLineDash([4 / view.s, 3 / view.s]);
    bctx.fillStyle = "rgba(232, 163, 60, 0.16)";
    bctx.strokeStyle = "#b86e00";
    bctx.fill(swept.clearance, "evenodd");
    bctx.stroke(swept.clearance);
    bctx.setLineDash([]);
    bctx.fillStyle = "rgba(122, 79, 176, 0.22)";
    bctx.strokeStyle = "#5a2f90";
    bctx.fill(swept.envelope, "evenodd");
    bctx.stroke(swept.envelope);
  }

  // Where v falls in a rising column of count values, the first at
  // values[first] and the others each stride on: the last row at or before v
  // and the fraction of the way to the next, into found. Before the first
  // row: row 0; from the last on: the last row, fraction 0.
  const found = { row: 0, fraction: 0 };
  function search(values, first, count, stride, v) {
    let lo = 0, hi = count; // the first row after v
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (values[first + mid * stride] <= v) lo = mid + 1; else hi = mid;
    }
    found.row = Math.max(lo - 1, 0);
    found.fraction = 0;
    if (lo === 0 || lo === count) return;
    const v0 = values[first + found.row * stride];
    found.fraction = (v - v0) / (values[first + lo * stride] - v0);
  }

  // Number j of a segment's keyframes at the row and fraction found.
  function keyframed(seg, j) {
    const k = seg.at + found.row * seg.stride + j, v = data[k];
    return found.fraction === 0 ? v : v + found.fraction * (data[k + seg.stride] - v);
  }

  // Each part as drawn at time t (within the simulation, as seek keeps it)
  // into drawn: its place, then its block's index; and into playing, the
  // section and the lead segment's position.
  function placeParts(t) {
    drawnCount = 0;
    if (sim.sections.length === 0) return;
    search(sim.starts, 0, sim.starts.length, 1, t);
    playing.section = found.row;
    const section = sim.sections[playing.section];
    for (let index = 0; index < section.segments.length; ++index) {
      const seg = section.segments[index];
      if (seg.keyframes === 0) continue;
      search(data, seg.at + TIME, seg.keyframes, seg.stride, t - seg.t0);
      if (index === section.lead) playing.position = keyframed(seg, POSITION);
      for (let part = 0; part < seg.blocks.length; ++part) {
        const k = drawnCount * DRAWN, from = HEAD + part * PER_PART;
        for (let j = 0; j < PER_PART; ++j) drawn[k + j] = keyframed(seg, from + j);
        drawn[k + E] += seg.origin[0];
        drawn[k + F] += seg.origin[1];
        drawn[k + BLOCK] = seg.blocks[part];
        ++drawnCount;
      }
    }
  }

  // Sets context's transform to the view after (a..f), and a line width of
  // one CSS pixel under it.
  // The background's own pixels start MARGIN above and to the left of the view's.
  function through(context, a, b, c, d, e, f, pixels) {
    const k = view.s * view.dpr, shift = context === bctx ? MARGIN : 0;
    const A = k * a, B = -k * b, C = k * c, D = -k * d;
    context.setTransform(A, B, C, D, view.dpr * (view.s * e + view.tx + shift),
                         view.dpr * (-view.s * f + view.ty + shift));
    context.lineWidth = pixels * view.dpr / Math.sqrt(Math.abs(A * D - B * C) || 1);
  }

  function renderBackground() {
    paintBackground();
    draw();
  }

  function paintBackground() {
    const width = canvas.clientWidth, height = canvas.clientHeight;
    view.dpr = window.devicePixelRatio || 1;
    canvas.width = Math.max(1, Math.round(width * view.dpr));
    canvas.height = Math.max(1, Math.round(height * view.dpr));
    background.width = Math.round((width + 2 * MARGIN) * view.dpr);
    background.height = Math.round((height + 2 * MARGIN) * view.dpr);
    painted.tx = view.tx;
    painted.ty = view.ty;
    bctx.setTransform(1, 0, 0, 1, 0, 0);
    bctx.fillStyle = "#ffffff";
    bctx.fillRect(0, 0, background.width, background.height);
    bctx.strokeStyle = "#4a4a4a";
    through(bctx, 1, 0, 0, 1, 0, 0, 1);
    bctx.stroke(loosePath);
    for (const insert of scene.inserts) {
      const p = insert.place;
      through(bctx, p[0], p[1], p[2], p[3], p[4], p[5], 1);
      bctx.stroke(blockPaths[insert.block]);
    }
    if (swept) drawSwept();
    if (trace) {
      through(bctx, 1, 0, 0, 1, 0, 0, 2);
      bctx.strokeStyle = "rgba(200, 60, 30, 0.55)";
      bctx.setLineDash([6 / view.s, 4 / view.s]);
      bctx.stroke(trace);
      bctx.setLineDash([]);
    }
  }

  function draw() {
    if (sim) placeParts(state.time);
    if (sim && state.follow) keepPartsCentred();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.drawImage(background, Math.round(view.dpr * (view.tx - painted.tx - MARGIN)),
                  Math.round(view.dpr * (view.ty - painted.ty - MARGIN)));
    if (!sim) return;
    ctx.strokeStyle = "#0b4f8a";
    ctx.fillStyle = "rgba(40, 120, 200, 0.18)";
    for (let i = 0; i < drawnCount; ++i) {
      const k = i * DRAWN;
      through(ctx, drawn[k], drawn[k + 1], drawn[k + 2], drawn[k + 3], drawn[k + E], drawn[k + F], 1.5);
      const path = blockPaths[drawn[k + BLOCK]];
      ctx.fill(path);
      ctx.stroke(path);
    }
    showStatus();
  }

  function show(id, text) {
    if (shown[id] !== text) { shown[id] = text; $(id).textContent = text; }
  }

  // The lead segment of the section playing, if any.
  function leadSegment() {
    const section = sim.sections[playing.section];
    return section.lead === null ? null : section.segments[section.lead];
  }

  // After placeParts, which found what to show.
  function showStatus() {
    show("clock", state.time.toFixed(2) + " s of " + sim.duration.toFixed(2) + " s");
    if (sim.sections.length === 0) return;
    show("section", sim.sections[playing.section].status);
    const lead = leadSegment();
    show("position", lead ? "position " + (Math.floor(playing.position) + 1) + " of " + lead.positions : "no positions");
    $("slider").value = String(state.time);
  }

  // The box the parts cover as last placed, in drawing units, into
  // coveredBox; false when no part is drawn.
  const coveredBox = new Float64Array(4);
  function partsBox() {
    coveredBox[0] = coveredBox[1] = Infinity;
    coveredBox[2] = coveredBox[3] = -Infinity;
    for (let i = 0; i < drawnCount; ++i) {
      const k = i * DRAWN, b = blockBoxes[drawn[k + BLOCK]];
      for (let corner = 0; corner < 4; ++corner) {
        const x = b ? b[corner & 1 ? 2 : 0] : 0, y = b ? b[corner & 2 ? 3 : 1] : 0;
        const px = drawn[k] * x + drawn[k + 2] * y + drawn[k + E];
        const py = drawn[k + 1] * x + drawn[k + 3] * y + drawn[k + F];
        coveredBox[0] = Math.min(coveredBox[0], px); coveredBox[1] = Math.min(coveredBox[1], py);
        coveredBox[2] = Math.max(coveredBox[2], px); coveredBox[3] = Math.max(coveredBox[3], py);
      }
    }
    return drawnCount > 0;
  }

  // Moves the view so that the parts' box is at the canvas's centre; true
  // when the view moved by a visible amount.
  function centreParts() {
    const tx = canvas.clientWidth / 2 - view.s * (coveredBox[0] + coveredBox[2]) / 2;
    const ty = canvas.clientHeight / 2 + view.s * (coveredBox[1] + coveredBox[3]) / 2;
    if (Math.abs(tx - view.tx) < 0.25 && Math.abs(ty - view.ty) < 0.25) return false;
    view.tx = tx;
    view.ty = ty;
    return true;
  }

  // Whether the painted background still covers the view.
  function coversView() {
    return Math.abs(view.tx - painted.tx) <= MARGIN && Math.abs(view.ty - painted.ty) <= MARGIN;
  }

  // While following, the view travels with the parts.
  function keepPartsCentred() {
    if (partsBox() && centreParts() && !coversView()) paintBackground();
  }

  // Following zooms until the parts span a quarter of the view and keeps
  // them at its centre; the wheel still zooms, and dragging or Fit hands the
  // view back to the person.
  function setFollow(on) {
    if (sim) placeParts(state.time);
    state.follow = on && !!sim && partsBox();
    $("follow").checked = state.follow;
    if (!state.follow) return;
    const size = Math.max(coveredBox[2] - coveredBox[0], coveredBox[3] - coveredBox[1], 1e-9);
    view.s = 0.25 * Math.min(canvas.clientWidth || 1, canvas.clientHeight || 1) / size;
    centreParts();
    renderBackground();
  }

  function fit() {
    state.follow = false;
    $("follow").checked = false;
    const boxes = [scene.bounds, sim && sim.bounds].filter(Boolean);
    let [x0, y0, x1, y1] = boxes.length ? boxes[0] : [-10, -10, 10, 10];
    for (const b of boxes) { x0 = Math.min(x0, b[0]); y0 = Math.min(y0, b[1]); x1 = Math.max(x1, b[2]); y1 = Math.max(y1, b[3]); }
    const width = canvas.clientWidth || 1, height = canvas.clientHeight || 1;
    const margin = 0.06 * Math.max(x1 - x0, y1 - y0, 1);
    x0 -= margin; x1 += margin; y0 -= margin; y1 += margin;
    view.s = Math.min(width / (x1 - x0), height / (y1 - y0));
    view.tx = width / 2 - view.s * (x0 + x1) / 2;
    view.ty = height / 2 + view.s * (y0 + y1) / 2;
    renderBackground();
  }

  function select(index) {
    state.sim = index;
    sim = scene.sims[index] || null;
    data = sim ? decode(index) : null;
    trace = sim ? tracePath() : null;
    swept = sim ? sweptPaths() : null;
    let parts = 0;
    if (sim) for (const section of sim.sections) {
      let count = 0;
      for (const seg of section.segments) count += seg.blocks.length;
      parts = Math.max(parts, count);
    }
    drawn = new Float64Array(parts * DRAWN);
    const problem = $("problem");
    const notes = [];
    if (scene.cutShort) notes.push("The drawing is too large to show whole; part of it is left out.");
    if (!sim) notes.push("This drawing holds no simulation to play.");
    else if (sim.problem) notes.push("\u201c" + sim.name + "\u201d cannot be played: " + sim.problem + ".");
    problem.textContent = notes.join(" ");
    problem.hidden = notes.length === 0;
    $("play").disabled = !sim || !!sim.problem || sim.duration <= 0;
    $("slider").max = String(sim ? sim.duration : 1);
    $("sim").value = String(index);
    pause();
    seek(0);
    fit();
    // Parts lost in the whole of a long path show as a dot: follow them.
    if (partsBox() && Math.max(coveredBox[2] - coveredBox[0], coveredBox[3] - coveredBox[1]) * view.s < 40)
      setFollow(true);
  }

  function seek(t) {
    state.time = sim ? Math.min(Math.max(t, 0), sim.duration) : 0;
    draw();
  }

  function tick(now) {
    if (!state.playing) return;
    state.time += (now - state.last) / 1000 * state.rate;
    state.last = now;
    if (state.time >= sim.duration) { state.time = sim.duration; pause(); }
    draw();
    if (state.playing) requestAnimationFrame(tick);
  }

  function play() {
    if ($("play").disabled) return;
    if (state.time >= sim.duration) state.time = 0;
    state.playing = true;
    state.last = performance.now();
    $("play").textContent = "Pause";
    requestAnimationFrame(tick);
  }

  function pause() {
    state.playing = false;
    $("play").textContent = "Play";
  }

  // The moment the lead segment of section s is shown at a position: its
  // keyframe's time, which was rounded down, but not before the section's
  // start. The keyframe at a position is the last at or before its index.
  function positionTime(s, lead, index) {
    search(data, lead.at + POSITION, lead.keyframes, lead.stride, index);
    return Math.max(sim.starts[s], lead.t0 + data[lead.at + found.row * lead.stride + TIME]);
  }

  // One position on (+1) or back (−1) along the section's lead segment,
  // into the next or previous section at its ends. Back from a moment past
  // a position goes to that position.
  function stepPosition(direction) {
    if (!sim || sim.sections.length === 0) return;
    pause();
    placeParts(state.time);
    const s = playing.section, lead = leadSegment();
    if (!lead) return;
    const i = Math.floor(playing.position);
    const target = direction > 0 ? i + 1 : (state.time > positionTime(s, lead, i) ? i : i - 1);
    if (target >= 0 && target < lead.positions) seek(positionTime(s, lead, target));
    else if (direction > 0 && s + 1 < sim.starts.length) seek(sim.starts[s + 1]);
    else if (direction < 0 && s > 0) seek(sim.starts[s] - 1e-9);
  }

  $("play").addEventListener("click", () => (state.playing ? pause() : play()));
  $("slider").addEventListener("input", (e) => { pause(); seek(Number(e.target.value)); });
  $("rate").addEventListener("change", (e) => { state.rate = Number(e.target.value); });
  $("sim").addEventListener("change", (e) => select(Number(e.target.value)));
  $("fit").addEventListener("click", fit);
  $("follow").addEventListener("change", (e) => setFollow(e.target.checked));
  window.addEventListener("keydown", (e) => {
    if (e.key === " ") { e.preventDefault(); state.playing ? pause() : play(); }
    else if (e.key === "ArrowRight" || e.key === "ArrowUp") { e.preventDefault(); stepPosition(1); }
    else if (e.key === "ArrowLeft" || e.key === "ArrowDown") { e.preventDefault(); stepPosition(-1); }
  }, true);
  canvas.addEventListener("wheel", (e) => {
    e.preventDefault();
    const factor = Math.exp(-e.deltaY * 0.0015);
    view.tx = e.offsetX - (e.offsetX - view.tx) * factor;
    view.ty = e.offsetY - (e.offsetY - view.ty) * factor;
    view.s *= factor;
    renderBackground();
  }, { passive: false });
  let dragFrom = null;
  canvas.addEventListener("pointerdown", (e) => { dragFrom = [e.clientX, e.clientY]; canvas.setPointerCapture(e.pointerId); });
  canvas.addEventListener("pointerup", () => { dragFrom = null; });
  canvas.addEventListener("pointermove", (e) => {
    if (!dragFrom) return;
    if (state.follow) setFollow(false);
    view.tx += e.clientX - dragFrom[0];
    view.ty += e.clientY - dragFrom[1];
    dragFrom = [e.clientX, e.clientY];
    if (coversView()) draw(); else renderBackground();
  });
  window.addEventListener("resize", renderBackground);

  scene.sims.forEach((s, i) => $("sim").add(new Option(s.name, String(i))));

  // For tests: move to a time and read back what was drawn, and time frames.
  function report() {
    const parts = [];
    for (let i = 0; i < drawnCount; ++i) parts.push(Array.from(drawn.subarray(i * DRAWN, (i + 1) * DRAWN)));
    const onScreen = partsBox() ? [view.s * coveredBox[0] + view.tx, -view.s * coveredBox[3] + view.ty,
                                   view.s * coveredBox[2] + view.tx, -view.s * coveredBox[1] + view.ty] : null;
    return { sim: sim ? sim.name : null, time: state.time, section: shown.section, position: shown.position,
             problem: sim ? sim.problem : "", readyMs, parts, follow: state.follow, onScreen,
             canvas: [canvas.clientWidth, canvas.clientHeight] };
  }
  function frameTimes(frames) {
    const times = [];
    for (let i = 0; i < frames; ++i) {
      const start = performance.now();
      state.time = sim.duration * i / frames;
      draw();
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    return { frames, mean: times.reduce((a, b) => a + b, 0) / frames, p95: times[Math.floor(frames * 0.95)], max: times[frames - 1] };
  }
  window.znsimView = { select, seek, report, frameTimes };

  select(0);
  // From the start of navigation until the first simulation is drawn.
  const readyMs = performance.now();
  const hash = new URLSearchParams(location.hash.slice(1));
  if (hash.has("sim")) select(Number(hash.get("sim")));
  if (hash.has("at")) seek(Number(hash.get("at")));
  if (hash.has("test")) {
    const out = report();
    if (hash.has("frames")) out.frameTimes = frameTimes(Number(hash.get("frames")));
    $("test-report").textContent = JSON.stringify(out);
  }
})();
