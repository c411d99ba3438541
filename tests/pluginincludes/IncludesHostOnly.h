// A plug-in header as the include check must reject it: it includes both host-only folders.
#pragma once

#include "QVHost/RigHierarchyAccess.h"
#include "Rigs/RigHierarchy.h"
#  include <QVJson/JsonValue.h>
// #include "QVHost/ControlValueText.h": a commented-out include is not an include.
