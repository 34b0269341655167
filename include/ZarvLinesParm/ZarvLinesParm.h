#pragma once

// Everything a host uses: the types and errors, creating by name and late binding, the
// parameter classes and the live preview.

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>

#include <ZarvLinesParm/RetracementParmClass.h>
#include <ZarvLinesParm/ZarvArcsParmClass.h>
#include <ZarvLinesParm/ZarvRangerParmClass.h>
#include <ZarvLinesParm/ZarvExpParmClass.h>
#include <ZarvLinesParm/zarvFanParmClass.h>
#include <ZarvLinesParm/ZarvForkParmClass.h>
#include <ZarvLinesParm/ZarvDravelPArmClass.h>
#include <ZarvLinesParm/GannSQ9ParmClass.h>
#include <ZarvLinesParm/ZarvGannParmClass.h>
#include <ZarvLinesParm/GannFanParmClass.h>
#include <ZarvLinesParm/ZarvLeastSquareClass.h>
#include <ZarvLinesParm/CircleElipseCls.h>

#include <ZarvLinesParm/Preview.h>
