// Delegates: single-cast (TDelegate), native multicast (TMulticastDelegate) and dynamic ones, with
// the DECLARE_*DELEGATE* macros that name them. See DelegateSignatureImpl.h for the semantics.
#pragma once

#include "CoreTypes.h"
#include "Delegates/IDelegateInstance.h"
#include "Delegates/DelegateInstanceInterface.h"
#include "Delegates/DelegateInstancesImpl.h"
#include "Delegates/DelegateSignatureImpl.h"
#include "Delegates/DelegateCombinations.h"

DECLARE_DELEGATE(FSimpleDelegate);
DECLARE_MULTICAST_DELEGATE(FSimpleMulticastDelegate);
