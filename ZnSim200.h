// Everything the module exports, and through it the host interface: the one
// header a caller of the module includes.
#pragma once

#include "host/arxHeaders.h"

#include "geometry/CGoogleEarthConfig.h"
#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"
#include "geometry/CZnPoint.h"
#include "geometry/CZnTransform.h"
#include "geometry/CZnVector.h"
#include "model/CPmAnimationBlock.h"
#include "model/CPmPart.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "model/CZnBlock.h"
#include "model/PmPosition200.h"
#include "model/dpoint3d.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmAcadSimList200.h"
#include "storage/CPmSimList200.h"
#include "storage/CleanSims.h"
