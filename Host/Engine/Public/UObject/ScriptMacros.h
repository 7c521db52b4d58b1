// Script call glue. The host's reflection describes functions but never calls them through
// scripts; what generated headers need is the object model itself, which this pulls in as the
// engine's does.
#pragma once

#include "UObject/ObjectMacros.h"
#include "UObject/Object.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/ObjectPtr.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "Templates/Casts.h"
#include "Templates/SubclassOf.h"
