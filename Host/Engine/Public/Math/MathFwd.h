// Forward declarations of the math types (double-precision F-names, float variants 'f').
#pragma once

#include "CoreTypes.h"

namespace UE::Math
{
	template <typename T> struct TVector;
	template <typename T> struct TVector2;
	template <typename T> struct TVector4;
	template <typename T> struct TRotator;
	template <typename T> struct TQuat;
	template <typename T> struct TTransform;
	template <typename T> struct TIntPoint;
}

using FVector = UE::Math::TVector<double>;
using FVector3f = UE::Math::TVector<float>;
using FVector3d = UE::Math::TVector<double>;
using FVector2D = UE::Math::TVector2<double>;
using FVector2f = UE::Math::TVector2<float>;
using FVector2d = UE::Math::TVector2<double>;
using FVector4 = UE::Math::TVector4<double>;
using FVector4f = UE::Math::TVector4<float>;
using FVector4d = UE::Math::TVector4<double>;
using FRotator = UE::Math::TRotator<double>;
using FRotator3f = UE::Math::TRotator<float>;
using FRotator3d = UE::Math::TRotator<double>;
using FQuat = UE::Math::TQuat<double>;
using FQuat4f = UE::Math::TQuat<float>;
using FQuat4d = UE::Math::TQuat<double>;
using FTransform = UE::Math::TTransform<double>;
using FTransform3f = UE::Math::TTransform<float>;
using FTransform3d = UE::Math::TTransform<double>;
using FIntPoint = UE::Math::TIntPoint<int32>;
using FInt32Point = UE::Math::TIntPoint<int32>;
using FInt64Point = UE::Math::TIntPoint<int64>;

struct FLinearColor;
struct FColor;
