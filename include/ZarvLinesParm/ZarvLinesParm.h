#pragma once

// Everything a host uses: the types and errors, creating by name and late binding, and the
// parameter classes.

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>

#include <ZarvLinesParm/CircleElipseCls.h>
#include <ZarvLinesParm/ZarvArcsParmClass.h>
#include <ZarvLinesParm/zarvFanParmClass.h>
#include <ZarvLinesParm/ZarvForkParmClass.h>
#include <ZarvLinesParm/ZarvDravelPArmClass.h>
