// The DECLARE_*DELEGATE* macros. Native ones are typedefs of TDelegate / TMulticastDelegate, as in
// the engine. Host departure: the dynamic ones define the delegate class here (in the engine the
// header tool generates it; ours only records the names); the parameter names are not used.
#pragma once

#include "Delegates/DelegateSignatureImpl.h"

#define FUNC_DECLARE_DELEGATE(DelegateName, ReturnType, ...) typedef TDelegate<ReturnType(__VA_ARGS__)> DelegateName;
#define FUNC_DECLARE_MULTICAST_DELEGATE(MulticastDelegateName, ReturnType, ...) typedef TMulticastDelegate<ReturnType(__VA_ARGS__)> MulticastDelegateName;

#define DECLARE_DELEGATE(DelegateName) FUNC_DECLARE_DELEGATE(DelegateName, void)
#define DECLARE_DELEGATE_OneParam(DelegateName, Param1Type) FUNC_DECLARE_DELEGATE(DelegateName, void, Param1Type)
#define DECLARE_DELEGATE_TwoParams(DelegateName, Param1Type, Param2Type) FUNC_DECLARE_DELEGATE(DelegateName, void, Param1Type, Param2Type)
#define DECLARE_DELEGATE_ThreeParams(DelegateName, Param1Type, Param2Type, Param3Type) FUNC_DECLARE_DELEGATE(DelegateName, void, Param1Type, Param2Type, Param3Type)
#define DECLARE_DELEGATE_FourParams(DelegateName, Param1Type, Param2Type, Param3Type, Param4Type) FUNC_DECLARE_DELEGATE(DelegateName, void, Param1Type, Param2Type, Param3Type, Param4Type)

#define DECLARE_DELEGATE_RetVal(ReturnValueType, DelegateName) FUNC_DECLARE_DELEGATE(DelegateName, ReturnValueType)
#define DECLARE_DELEGATE_RetVal_OneParam(ReturnValueType, DelegateName, Param1Type) FUNC_DECLARE_DELEGATE(DelegateName, ReturnValueType, Param1Type)
#define DECLARE_DELEGATE_RetVal_TwoParams(ReturnValueType, DelegateName, Param1Type, Param2Type) FUNC_DECLARE_DELEGATE(DelegateName, ReturnValueType, Param1Type, Param2Type)
#define DECLARE_DELEGATE_RetVal_ThreeParams(ReturnValueType, DelegateName, Param1Type, Param2Type, Param3Type) FUNC_DECLARE_DELEGATE(DelegateName, ReturnValueType, Param1Type, Param2Type, Param3Type)
#define DECLARE_DELEGATE_RetVal_FourParams(ReturnValueType, DelegateName, Param1Type, Param2Type, Param3Type, Param4Type) FUNC_DECLARE_DELEGATE(DelegateName, ReturnValueType, Param1Type, Param2Type, Param3Type, Param4Type)

#define DECLARE_MULTICAST_DELEGATE(DelegateName) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void)
#define DECLARE_MULTICAST_DELEGATE_OneParam(DelegateName, Param1Type) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void, Param1Type)
#define DECLARE_MULTICAST_DELEGATE_TwoParams(DelegateName, Param1Type, Param2Type) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void, Param1Type, Param2Type)
#define DECLARE_MULTICAST_DELEGATE_ThreeParams(DelegateName, Param1Type, Param2Type, Param3Type) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void, Param1Type, Param2Type, Param3Type)
#define DECLARE_MULTICAST_DELEGATE_FourParams(DelegateName, Param1Type, Param2Type, Param3Type, Param4Type) FUNC_DECLARE_MULTICAST_DELEGATE(DelegateName, void, Param1Type, Param2Type, Param3Type, Param4Type)

#define FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, ReturnType, ...) \
	class DelegateName : public TBaseDynamicDelegate<ReturnType __VA_OPT__(,) __VA_ARGS__> \
	{ \
	};
#define FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, ...) \
	class DelegateName : public TBaseDynamicMulticastDelegate<__VA_ARGS__> \
	{ \
	};

#define DECLARE_DYNAMIC_DELEGATE(DelegateName) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, void)
#define DECLARE_DYNAMIC_DELEGATE_OneParam(DelegateName, Param1Type, Param1Name) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, void, Param1Type)
#define DECLARE_DYNAMIC_DELEGATE_TwoParams(DelegateName, Param1Type, Param1Name, Param2Type, Param2Name) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, void, Param1Type, Param2Type)
#define DECLARE_DYNAMIC_DELEGATE_ThreeParams(DelegateName, Param1Type, Param1Name, Param2Type, Param2Name, Param3Type, Param3Name) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, void, Param1Type, Param2Type, Param3Type)
#define DECLARE_DYNAMIC_DELEGATE_FourParams(DelegateName, Param1Type, Param1Name, Param2Type, Param2Name, Param3Type, Param3Name, Param4Type, Param4Name) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, void, Param1Type, Param2Type, Param3Type, Param4Type)

#define DECLARE_DYNAMIC_DELEGATE_RetVal(ReturnValueType, DelegateName) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, ReturnValueType)
#define DECLARE_DYNAMIC_DELEGATE_RetVal_OneParam(ReturnValueType, DelegateName, Param1Type, Param1Name) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, ReturnValueType, Param1Type)
#define DECLARE_DYNAMIC_DELEGATE_RetVal_TwoParams(ReturnValueType, DelegateName, Param1Type, Param1Name, Param2Type, Param2Name) FUNC_DECLARE_DYNAMIC_DELEGATE(DelegateName, ReturnValueType, Param1Type, Param2Type)

#define DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName)
#define DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(DelegateName, Param1Type, Param1Name) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, Param1Type)
#define DECLARE_DYNAMIC_MULTICAST_DELEGATE_TwoParams(DelegateName, Param1Type, Param1Name, Param2Type, Param2Name) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, Param1Type, Param2Type)
#define DECLARE_DYNAMIC_MULTICAST_DELEGATE_ThreeParams(DelegateName, Param1Type, Param1Name, Param2Type, Param2Name, Param3Type, Param3Name) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, Param1Type, Param2Type, Param3Type)
#define DECLARE_DYNAMIC_MULTICAST_DELEGATE_FourParams(DelegateName, Param1Type, Param1Name, Param2Type, Param2Name, Param3Type, Param3Name, Param4Type, Param4Name) FUNC_DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName, Param1Type, Param2Type, Param3Type, Param4Type)
