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
// A page made with meetings also plays every simulation at once, each on
// the page's clock shifted by its start and held at its ends, and draws the
// parts of each meeting in a warning colour while it lasts. znsim found the
// meetings, as it found the keyframes: the script only compares moments.
"use strict";
(function () {
  // A keyframe's layout, which the build copies from motion/: a head of
  // HEAD floats, then PER_PART for each part drawn, its place in the order
  // setTransform takes (a, b, c, d, e, f), with e and f less the origin.
  const TIME = @kKeyframeTime@, POSITION = @kKeyframePosition@, X = @kKeyframeX@, Y = @kKeyframeY@;
  const HEAD = @kKeyframeHead@, PER_PART = @kFloatsPerPart@, E = @kPartE@, F = @kPartF@;
  // What is drawn of a part: its place, then its block's index.
  const DRAWN = PER_PART + 1, BLOCK = PER_PART;
  // Which part it is: its simulation's index, its section, its segment and
  // its place among the parts the segment packs, as meetings name parts.
  const KEY = 4;
  const scene = JSON.parse(document.getElementById("scene").textContent);
  // Null unless the page plays its simulations together; then its choice
  // comes after theirs.
  const together = scene.together;
  const TOGETHER = scene.sims.length;
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

  // Closed rings x0, y0, x1, y1, ... as one path, filled even-odd.
  function ringsPath(rings) {
    const path = new Path2D();
    for (const xy of rings) {
      if (xy.length < 2) continue;
      path.moveTo(xy[0], xy[1]);
      for (let i = 2; i < xy.length; i += 2) path.lineTo(xy[i], xy[i + 1]);
      path.closePath();
    }
    return path;
  }

  // The drawing as the person drew it (view/Sketch.h): each sketch's lines
  // gathered into one path for each pen and width, so that a repaint
  // strokes as few paths as there are pens.
  function prepareSketch(sketch) {
    const strokes = new Map();
    const strokePath = (pen, width) => {
      const key = pen + "/" + width;
      if (!strokes.has(key)) strokes.set(key, { pen: scene.pens[pen], width, path: new Path2D() });
      return strokes.get(key).path;
    };
    for (const [pen, closed, width, xy] of sketch.paths) {
      if (xy.length < 4) continue;
      const path = strokePath(pen, width);
      path.moveTo(xy[0], xy[1]);
      for (let i = 2; i < xy.length; i += 2) path.lineTo(xy[i], xy[i + 1]);
      if (closed) path.closePath();
    }
    for (const [pen, cx, cy, rx, ry, angle] of sketch.ellipses) {
      const path = strokePath(pen, 0);
      path.moveTo(cx + rx * Math.cos(angle), cy + rx * Math.sin(angle));
      path.ellipse(cx, cy, rx, ry, angle, 0, 2 * Math.PI);
    }
    return {
      strokes: Array.from(strokes.values()),
      fills: sketch.fills.map(([pen, solid, rings]) => ({ pen: scene.pens[pen], solid, path: ringsPath(rings) })),
      points: sketch.points.map(([pen, x, y]) => ({ pen: scene.pens[pen], x, y })),
      texts: sketch.texts
    };
  }
  const looseSketch = prepareSketch(scene.loose);
  const sketches = scene.sketches.map(prepareSketch);
  // With the test hook, what the last repaint drew of the drawing.
  let drawingLog = null;
  const IDENTITY = [1, 0, 0, 1, 0, 0];

  // The view: a drawing point (x, y) shows at CSS pixel (x·s + tx, −y·s + ty).
  const view = { s: 1, tx: 0, ty: 0, dpr: 1 };
  // How far, in CSS pixels, the background reaches beyond the view on each
  // side, and the view's tx and ty when it was painted.
  const MARGIN = 200;
  const painted = { tx: 0, ty: 0 };
  const state = { sim: -1, time: 0, playing: false, rate: 1, last: 0, follow: false };
  // What plays: each simulation with its numbers and its start. sim and
  // data are the simulation shown alone, null when they play together.
  let played = [], duration = 0, sim = null, data = null, trace = null, swept = [];
  let drawn = new Float64Array(0), keys = new Int32Array(0), flagged = new Uint8Array(0), drawnCount = 0;
  const decoded = [];
  // Which meetings are on at the moment drawn.
  const meetingOn = new Uint8Array(together ? together.meetings.length : 0);
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
    for (const entry of played)
      for (const section of entry.sim.sections)
        for (const seg of section.segments) {
          for (let i = 0; i < seg.keyframes; ++i) {
            const k = seg.at + i * seg.stride;
            const x = seg.origin[0] + entry.data[k + X], y = seg.origin[1] + entry.data[k + Y];
            if (i === 0) path.moveTo(x, y); else path.lineTo(x, y);
          }
        }
    return path;
  }

  // What the simulation sweeps, when znsim view was asked for it: the
  // envelope, the clearance outline and the wheel tracks as even-odd paths
  // of their rings.
  function sweptPaths(sim) {
    if (!sim.sweep) return null;
    return { envelope: ringsPath(sim.sweep.envelope), clearance: ringsPath(sim.sweep.clearance),
             wheels: ringsPath(sim.sweep.wheels) };
  }

  function drawSwept(paths) {
    through(bctx, 1, 0, 0, 1, 0, 0, 1);
    bctx.setLineDash([4 / view.s, 3 / view.s]);
    bctx.fillStyle = "rgba(232, 163, 60, 0.16)";
    bctx.strokeStyle = "#b86e00";
    bctx.fill(paths.clearance, "evenodd");
    bctx.stroke(paths.clearance);
    bctx.setLineDash([]);
    bctx.fillStyle = "rgba(122, 79, 176, 0.22)";
    bctx.strokeStyle = "#5a2f90";
    bctx.fill(paths.envelope, "evenodd");
    bctx.stroke(paths.envelope);
    bctx.fillStyle = "rgba(42, 138, 90, 0.35)";
    bctx.strokeStyle = "#1d6b43";
    bctx.fill(paths.wheels, "evenodd");
    bctx.stroke(paths.wheels);
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

  // Number j of a segment's keyframes among values at the row and fraction
  // found.
  function keyframed(values, seg, j) {
    const k = seg.at + found.row * seg.stride + j, v = values[k];
    return found.fraction === 0 ? v : v + found.fraction * (values[k + seg.stride] - v);
  }

  // Each part as drawn at time t of the page's clock (within the run, as
  // seek keeps it) into drawn: its place, then its block's index; into
  // keys, which part it is; and into playing, the section and the lead
  // segment's position of the simulation shown alone.
  function placeParts(t) {
    drawnCount = 0;
    for (const entry of played) {
      const s = entry.sim, values = entry.data;
      if (s.sections.length === 0) continue;
      const local = Math.min(Math.max(t - entry.start, 0), s.duration);
      search(s.starts, 0, s.starts.length, 1, local);
      const sectionIndex = found.row, section = s.sections[sectionIndex];
      if (s === sim) playing.section = sectionIndex;
      for (let index = 0; index < section.segments.length; ++index) {
        const seg = section.segments[index];
        if (seg.keyframes === 0) continue;
        search(values, seg.at + TIME, seg.keyframes, seg.stride, local - seg.t0);
        if (s === sim && index === section.lead) playing.position = keyframed(values, seg, POSITION);
        for (let part = 0; part < seg.blocks.length; ++part) {
          const k = drawnCount * DRAWN, from = HEAD + part * PER_PART;
          for (let j = 0; j < PER_PART; ++j) drawn[k + j] = keyframed(values, seg, from + j);
          drawn[k + E] += seg.origin[0];
          drawn[k + F] += seg.origin[1];
          drawn[k + BLOCK] = seg.blocks[part];
          const key = drawnCount * KEY;
          keys[key] = entry.index;
          keys[key + 1] = sectionIndex;
          keys[key + 2] = index;
          keys[key + 3] = part;
          ++drawnCount;
        }
      }
    }
    flagMeetings(t);
  }

  // Which meetings are on at time t, and which drawn parts are theirs; only
  // while the simulations play together, on the clock the meetings keep.
  function flagMeetings(t) {
    flagged.fill(0);
    meetingOn.fill(0);
    if (sim || !together) return;
    for (let m = 0; m < meetingOn.length; ++m) {
      const meeting = together.meetings[m];
      if (t < meeting.first || t > meeting.last) continue;
      meetingOn[m] = 1;
      for (const p of meeting.parts)
        for (let i = 0; i < drawnCount; ++i) {
          const k = i * KEY;
          if (keys[k] === p.sim && keys[k + 1] === p.section && keys[k + 2] === p.segment && keys[k + 3] === p.part)
            flagged[i] = 1;
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
    if (drawingLog) drawingLog = [];
    drawSketch(looseSketch, IDENTITY);
    for (const insert of scene.inserts) drawSketch(sketches[insert.sketch], insert.place);
    for (const paths of swept) drawSwept(paths);
    if (trace) {
      through(bctx, 1, 0, 0, 1, 0, 0, 2);
      bctx.strokeStyle = "rgba(200, 60, 30, 0.55)";
      bctx.setLineDash([6 / view.s, 4 / view.s]);
      bctx.stroke(trace);
      bctx.setLineDash([]);
    }
  }

  // Dashes too fine to tell apart at this zoom are drawn solid.
  function dashesShown(dashes, scale) {
    const period = dashes.reduce((sum, d) => sum + d, 0);
    return period * scale >= 3 ? dashes : [];
  }

  function logDrawn(kind, colour, more) {
    if (drawingLog) drawingLog.push(Object.assign({ kind, colour }, more));
  }

  // A sketch through place p: fills, then lines, points and texts over them.
  function drawSketch(sketch, p) {
    const scale = view.s * Math.sqrt(Math.abs(p[0] * p[3] - p[1] * p[2]));
    for (const fill of sketch.fills) {
      through(bctx, p[0], p[1], p[2], p[3], p[4], p[5], fill.pen.pixels);
      bctx.fillStyle = bctx.strokeStyle = fill.pen.colour;
      bctx.globalAlpha = fill.solid ? 1 : 0.3;
      bctx.fill(fill.path, "evenodd");
      bctx.globalAlpha = 1;
      if (!fill.solid) bctx.stroke(fill.path);
      logDrawn("fill", bctx.fillStyle, { solid: fill.solid });
    }
    for (const stroke of sketch.strokes) {
      through(bctx, p[0], p[1], p[2], p[3], p[4], p[5], stroke.pen.pixels);
      if (stroke.width > 0) bctx.lineWidth = Math.max(stroke.width, bctx.lineWidth / stroke.pen.pixels);
      bctx.setLineDash(dashesShown(stroke.pen.dashes, scale));
      bctx.strokeStyle = stroke.pen.colour;
      bctx.stroke(stroke.path);
      logDrawn("line", bctx.strokeStyle, { dashes: bctx.getLineDash(), width: bctx.lineWidth });
    }
    bctx.setLineDash([]);
    for (const point of sketch.points) {
      through(bctx, p[0], p[1], p[2], p[3], p[4], p[5], 1.5);
      bctx.fillStyle = point.pen.colour;
      bctx.beginPath();
      bctx.arc(point.x, point.y, bctx.lineWidth, 0, 2 * Math.PI);
      bctx.fill();
    }
    for (const text of sketch.texts) drawText(text, p);
  }

  // Text upright in the drawing's y-up coordinates, its font sized by a
  // hundred and scaled down, which draws small sizes as well as large.
  function drawText(text, p) {
    through(bctx, p[0], p[1], p[2], p[3], p[4], p[5], 1);
    const c = Math.cos(text.angle), s = Math.sin(text.angle), f = text.size / 100;
    bctx.transform(c, s, -s, c, text.x, text.y);
    bctx.scale(text.widthFactor * f, -f);
    bctx.font = "100px sans-serif";
    bctx.textAlign = text.anchor === "middle" ? "center" : text.anchor;
    bctx.textBaseline = "alphabetic";
    bctx.fillStyle = scene.pens[text.pen].colour;
    text.lines.forEach((line, i) => bctx.fillText(line, 0, i * text.lineStep / f));
    if (!drawingLog) return;
    const at = new DOMPoint(text.x, text.y);
    logDrawn("text", bctx.fillStyle, { lines: text.lines, x: p[0] * at.x + p[2] * at.y + p[4],
                                             y: p[1] * at.x + p[3] * at.y + p[5], size: text.size });
  }

  function draw() {
    if (played.length) placeParts(state.time);
    if (played.length && state.follow) keepPartsCentred();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.drawImage(background, Math.round(view.dpr * (view.tx - painted.tx - MARGIN)),
                  Math.round(view.dpr * (view.ty - painted.ty - MARGIN)));
    if (!played.length) return;
    for (let i = 0; i < drawnCount; ++i) {
      const k = i * DRAWN;
      ctx.strokeStyle = flagged[i] ? "#c2410c" : "#0b4f8a";
      ctx.fillStyle = flagged[i] ? "rgba(234, 88, 12, 0.55)" : "rgba(40, 120, 200, 0.18)";
      through(ctx, drawn[k], drawn[k + 1], drawn[k + 2], drawn[k + 3], drawn[k + E], drawn[k + F],
              flagged[i] ? 2.5 : 1.5);
      const path = blockPaths[drawn[k + BLOCK]];
      ctx.fill(path);
      ctx.stroke(path);
    }
    showStatus();
  }

  function show(id, text) {
    if (shown[id] !== text) { shown[id] = text; $(id).textContent = text; }
  }

  // A section's lead segment, if any.
  function leadOf(section) {
    return section.lead === null ? null : section.segments[section.lead];
  }

  // After placeParts, which found what to show.
  function showStatus() {
    show("clock", state.time.toFixed(2) + " s of " + duration.toFixed(2) + " s");
    $("slider").value = String(state.time);
    showMeetingsOn();
    if (!sim) {
      const on = meetingOn.reduce((count, m) => count + m, 0);
      show("section", on === 0 ? "no meeting now" : on === 1 ? "1 meeting now" : on + " meetings now");
      show("position", "");
      return;
    }
    if (sim.sections.length === 0) return;
    show("section", sim.sections[playing.section].status);
    const lead = leadOf(sim.sections[playing.section]);
    show("position", lead ? "position " + (Math.floor(playing.position) + 1) + " of " + lead.positions : "no positions");
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
    if (played.length) placeParts(state.time);
    state.follow = on && played.length > 0 && partsBox();
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
    const boxes = [scene.bounds, ...played.map((entry) => entry.sim.bounds)].filter(Boolean);
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

  function playedEntry(index, start) {
    if (!decoded[index]) decoded[index] = decode(index);
    return { sim: scene.sims[index], index, start, data: decoded[index] };
  }

  // Simulation index alone, or TOGETHER.
  function select(index) {
    state.sim = index;
    const all = !!together && index === TOGETHER;
    sim = all ? null : scene.sims[index] || null;
    played = all ? together.starts.map((start, i) => playedEntry(i, start)) : sim ? [playedEntry(index, 0)] : [];
    data = sim ? played[0].data : null;
    duration = all ? together.duration : sim ? sim.duration : 0;
    trace = played.length ? tracePath() : null;
    swept = played.map((e) => sweptPaths(e.sim)).filter(Boolean);
    let parts = 0;
    for (const e of played) {
      let most = 0;
      for (const section of e.sim.sections) {
        let count = 0;
        for (const seg of section.segments) count += seg.blocks.length;
        most = Math.max(most, count);
      }
      parts += most;
    }
    drawn = new Float64Array(parts * DRAWN);
    keys = new Int32Array(parts * KEY);
    flagged = new Uint8Array(parts);
    const problem = $("problem");
    const notes = [];
    if (scene.cutShort) notes.push("The drawing is too large to show whole; part of it is left out.");
    if (!played.length) notes.push("This drawing holds no simulation to play.");
    else if (sim && sim.problem) notes.push("\u201c" + sim.name + "\u201d cannot be played: " + sim.problem + ".");
    problem.textContent = notes.join(" ");
    problem.hidden = notes.length === 0;
    $("play").disabled = !played.length || (sim && !!sim.problem) || duration <= 0;
    $("slider").max = String(played.length ? duration : 1);
    $("sim").value = String(index);
    pause();
    seek(0);
    fit();
    // Parts lost in the whole of a long path show as a dot: follow them.
    if (partsBox() && Math.max(coveredBox[2] - coveredBox[0], coveredBox[3] - coveredBox[1]) * view.s < 40)
      setFollow(true);
  }

  function seek(t) {
    state.time = Math.min(Math.max(t, 0), duration);
    draw();
  }

  function tick(now) {
    if (!state.playing) return;
    state.time += (now - state.last) / 1000 * state.rate;
    state.last = now;
    if (state.time >= duration) { state.time = duration; pause(); }
    draw();
    if (state.playing) requestAnimationFrame(tick);
  }

  function play() {
    if ($("play").disabled) return;
    if (state.time >= duration) state.time = 0;
    state.playing = true;
    state.last = performance.now();
    $("play").textContent = "Pause";
    requestAnimationFrame(tick);
  }

  function pause() {
    state.playing = false;
    $("play").textContent = "Play";
  }

  // The moment, on the page's clock, that entry's lead segment of section s
  // is shown at a position: its keyframe's time, which was rounded down,
  // but not before the section's start. The keyframe at a position is the
  // last at or before its index.
  function positionTime(entry, s, lead, index) {
    const values = entry.data;
    search(values, lead.at + POSITION, lead.keyframes, lead.stride, index);
    return entry.start + Math.max(entry.sim.starts[s], lead.t0 + values[lead.at + found.row * lead.stride + TIME]);
  }

  // The moment one position on (+1) or back (−1) from t along the lead
  // segment of entry's section playing then, into the next or previous
  // section at its ends; null when there is none. Back from a moment past a
  // position goes to that position.
  function stepFrom(entry, t, direction) {
    const s = entry.sim;
    if (s.sections.length === 0) return null;
    const local = Math.min(Math.max(t - entry.start, 0), s.duration);
    search(s.starts, 0, s.starts.length, 1, local);
    const section = found.row, lead = leadOf(s.sections[section]);
    if (!lead || lead.keyframes === 0) return null;
    search(entry.data, lead.at + TIME, lead.keyframes, lead.stride, local - lead.t0);
    const i = Math.floor(keyframed(entry.data, lead, POSITION));
    const target = direction > 0 ? i + 1 : (t > positionTime(entry, section, lead, i) ? i : i - 1);
    if (target >= 0 && target < lead.positions) return positionTime(entry, section, lead, target);
    if (direction > 0 && section + 1 < s.starts.length) return entry.start + s.starts[section + 1];
    if (direction < 0 && section > 0) return entry.start + s.starts[section] - 1e-9;
    return null;
  }

  // One position on or back: of the simulation shown alone, or, played
  // together, of whichever simulation reaches its next (or left its last)
  // position first (last).
  function stepPosition(direction) {
    pause();
    let best = null;
    for (const entry of played) {
      const moment = stepFrom(entry, state.time, direction);
      if (moment !== null && (best === null || (direction > 0) === (moment < best))) best = moment;
    }
    if (best !== null) seek(best);
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

  // The list of meetings: a click plays the simulations together from the
  // meeting's first moment, paused there.
  const meetingItems = [];
  function showMeeting(m) {
    if (state.sim !== TOGETHER) select(TOGETHER);
    pause();
    seek(together.meetings[m].first);
  }
  function listMeetings() {
    $("sim").add(new Option(together.name, String(TOGETHER)));
    $("meetings-heading").textContent = together.heading;
    const list = $("meeting-list");
    together.meetings.forEach((meeting, m) => {
      const button = document.createElement("button");
      button.type = "button";
      const title = document.createElement("span"), when = document.createElement("span");
      title.className = "title";
      title.textContent = meeting.title;
      when.className = "when";
      when.textContent = meeting.when;
      button.append(title, when);
      button.addEventListener("click", () => showMeeting(m));
      const item = document.createElement("li");
      item.append(button);
      list.append(item);
      meetingItems.push(item);
    });
    if (!together.meetings.length) {
      const none = document.createElement("li");
      none.className = "none";
      none.textContent = "none";
      list.append(none);
    }
    $("meetings").hidden = false;
  }
  // The meetings on now stand out in the list.
  function showMeetingsOn() {
    for (let m = 0; m < meetingItems.length; ++m) {
      const item = meetingItems[m], on = meetingOn[m] === 1;
      if (item.classList.contains("on") !== on) item.classList.toggle("on", on);
    }
  }
  if (together) listMeetings();

  // For tests: move to a time and read back what was drawn (and which of
  // it in the warning colour, by its key), and time frames.
  function report() {
    const parts = [], warned = [], on = [];
    for (let i = 0; i < drawnCount; ++i) {
      parts.push(Array.from(drawn.subarray(i * DRAWN, (i + 1) * DRAWN)));
      if (flagged[i]) warned.push(Array.from(keys.subarray(i * KEY, (i + 1) * KEY)));
    }
    meetingOn.forEach((value, m) => { if (value) on.push(m); });
    const onScreen = partsBox() ? [view.s * coveredBox[0] + view.tx, -view.s * coveredBox[3] + view.ty,
                                   view.s * coveredBox[2] + view.tx, -view.s * coveredBox[1] + view.ty] : null;
    return { sim: sim ? sim.name : played.length ? together.name : null, time: state.time, section: shown.section,
             position: shown.position, problem: sim ? sim.problem : "", readyMs, parts, warned, meetingsOn: on,
             follow: state.follow, onScreen, canvas: [canvas.clientWidth, canvas.clientHeight], drawing: drawingLog };
  }
  function frameTimes(frames) {
    const times = [];
    for (let i = 0; i < frames; ++i) {
      const start = performance.now();
      state.time = duration * i / frames;
      draw();
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    return { frames, mean: times.reduce((a, b) => a + b, 0) / frames, p95: times[Math.floor(frames * 0.95)], max: times[frames - 1] };
  }
  window.znsimView = { select, seek, report, frameTimes, showMeeting };

  select(0);
  // From the start of navigation until the first simulation is drawn.
  const readyMs = performance.now();
  const hash = new URLSearchParams(location.hash.slice(1));
  if (hash.has("sim")) select(Number(hash.get("sim")));
  if (hash.has("at")) seek(Number(hash.get("at")));
  if (hash.has("test")) {
    drawingLog = [];
    paintBackground();
    const out = report();
    if (hash.has("frames")) out.frameTimes = frameTimes(Number(hash.get("frames")));
    $("test-report").textContent = JSON.stringify(out);
  }
})();
