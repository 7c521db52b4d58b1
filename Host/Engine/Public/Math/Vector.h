// TVector: 3D vector (FVector = double, FVector3f = float). X forward, Y right, Z up.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/IntPoint.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector2D.h"
#include "Templates/TypeHash.h"

#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TVector
	{
		static_assert(std::is_floating_point_v<T>, "T must be floating point");
		using FReal = T;

		T X;
		T Y;
		T Z;

		static const TVector ZeroVector;
		static const TVector OneVector;
		static const TVector UpVector;
		static const TVector DownVector;
		static const TVector ForwardVector;
		static const TVector BackwardVector;
		static const TVector RightVector;
		static const TVector LeftVector;
		static const TVector XAxisVector;
		static const TVector YAxisVector;
		static const TVector ZAxisVector;

		static TVector Zero() { return ZeroVector; }
		static TVector One() { return OneVector; }
		static TVector UnitX() { return XAxisVector; }
		static TVector UnitY() { return YAxisVector; }
		static TVector UnitZ() { return ZAxisVector; }

		// Leaves the components uninitialised, as the engine does; use ForceInit or ZeroVector.
		TVector() = default;
		explicit constexpr TVector(T InF) : X(InF), Y(InF), Z(InF) {}
		constexpr TVector(T InX, T InY, T InZ) : X(InX), Y(InY), Z(InZ) {}
		explicit constexpr TVector(EForceInit) : X(0), Y(0), Z(0) {}
		explicit constexpr TVector(ENoInit) {}
		constexpr TVector(const TVector2<T>& V, T InZ) : X(V.X), Y(V.Y), Z(InZ) {}
		explicit TVector(const TVector4<T>& V); // Vector4.h
		explicit TVector(const FLinearColor& InColor); // Color.h
		template <typename IntType>
		explicit constexpr TVector(TIntPoint<IntType> A) : X(static_cast<T>(A.X)), Y(static_cast<T>(A.Y)), Z(0)
		{
		}
		template <typename FArg>
			requires(!std::is_same_v<T, FArg>)
		explicit constexpr TVector(const TVector<FArg>& From)
			: X(static_cast<T>(From.X)), Y(static_cast<T>(From.Y)), Z(static_cast<T>(From.Z))
		{
		}

		// Arithmetic ------------------------------------------------------------------------------

		// Cross product.
		constexpr TVector operator^(const TVector& V) const { return TVector(Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X); }
		constexpr TVector Cross(const TVector& V) const { return *this ^ V; }
		static constexpr TVector CrossProduct(const TVector& A, const TVector& B) { return A ^ B; }
		// Dot product.
		constexpr T operator|(const TVector& V) const { return X * V.X + Y * V.Y + Z * V.Z; }
		constexpr T Dot(const TVector& V) const { return *this | V; }
		static constexpr T DotProduct(const TVector& A, const TVector& B) { return A | B; }

		constexpr TVector operator+(const TVector& V) const { return TVector(X + V.X, Y + V.Y, Z + V.Z); }
		constexpr TVector operator-(const TVector& V) const { return TVector(X - V.X, Y - V.Y, Z - V.Z); }
		constexpr TVector operator*(const TVector& V) const { return TVector(X * V.X, Y * V.Y, Z * V.Z); }
		constexpr TVector operator/(const TVector& V) const { return TVector(X / V.X, Y / V.Y, Z / V.Z); }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector operator+(FArg Bias) const
		{
			return TVector(X + static_cast<T>(Bias), Y + static_cast<T>(Bias), Z + static_cast<T>(Bias));
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector operator-(FArg Bias) const
		{
			return TVector(X - static_cast<T>(Bias), Y - static_cast<T>(Bias), Z - static_cast<T>(Bias));
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector operator*(FArg Scale) const
		{
			return TVector(X * static_cast<T>(Scale), Y * static_cast<T>(Scale), Z * static_cast<T>(Scale));
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector operator/(FArg Scale) const
		{
			const T RScale = T(1) / static_cast<T>(Scale);
			return TVector(X * RScale, Y * RScale, Z * RScale);
		}
		constexpr TVector operator-() const { return TVector(-X, -Y, -Z); }

		TVector& operator+=(const TVector& V) { X += V.X; Y += V.Y; Z += V.Z; return *this; }
		TVector& operator-=(const TVector& V) { X -= V.X; Y -= V.Y; Z -= V.Z; return *this; }
		TVector& operator*=(const TVector& V) { X *= V.X; Y *= V.Y; Z *= V.Z; return *this; }
		TVector& operator/=(const TVector& V) { X /= V.X; Y /= V.Y; Z /= V.Z; return *this; }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		TVector& operator*=(FArg Scale)
		{
			X *= static_cast<T>(Scale);
			Y *= static_cast<T>(Scale);
			Z *= static_cast<T>(Scale);
			return *this;
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		TVector& operator/=(FArg V)
		{
			const T RV = T(1) / static_cast<T>(V);
			X *= RV;
			Y *= RV;
			Z *= RV;
			return *this;
		}

		// Exact comparison.
		constexpr bool operator==(const TVector& V) const { return X == V.X && Y == V.Y && Z == V.Z; }
		// Each component within Tolerance.
		bool Equals(const TVector& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance && FMath::Abs(Z - V.Z) <= Tolerance;
		}
		bool AllComponentsEqual(T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X - Y) <= Tolerance && FMath::Abs(X - Z) <= Tolerance && FMath::Abs(Y - Z) <= Tolerance;
		}

		T& operator[](int32 Index)
		{
			UE_CORE_CHECKF(Index >= 0 && Index < 3, "Vector index %d out of range", Index);
			return Index == 0 ? X : (Index == 1 ? Y : Z);
		}
		T operator[](int32 Index) const
		{
			UE_CORE_CHECKF(Index >= 0 && Index < 3, "Vector index %d out of range", Index);
			return Index == 0 ? X : (Index == 1 ? Y : Z);
		}
		T& Component(int32 Index) { return (*this)[Index]; }
		T Component(int32 Index) const { return (*this)[Index]; }
		void Set(T InX, T InY, T InZ) { X = InX; Y = InY; Z = InZ; }

		// Magnitudes ------------------------------------------------------------------------------

		T GetMax() const { return FMath::Max(FMath::Max(X, Y), Z); }
		T GetAbsMax() const { return FMath::Max(FMath::Max(FMath::Abs(X), FMath::Abs(Y)), FMath::Abs(Z)); }
		T GetMin() const { return FMath::Min(FMath::Min(X, Y), Z); }
		T GetAbsMin() const { return FMath::Min(FMath::Min(FMath::Abs(X), FMath::Abs(Y)), FMath::Abs(Z)); }
		TVector ComponentMin(const TVector& Other) const { return TVector(FMath::Min(X, Other.X), FMath::Min(Y, Other.Y), FMath::Min(Z, Other.Z)); }
		TVector ComponentMax(const TVector& Other) const { return TVector(FMath::Max(X, Other.X), FMath::Max(Y, Other.Y), FMath::Max(Z, Other.Z)); }
		TVector GetAbs() const { return TVector(FMath::Abs(X), FMath::Abs(Y), FMath::Abs(Z)); }
		T Size() const { return FMath::Sqrt(X * X + Y * Y + Z * Z); }
		T Length() const { return Size(); }
		constexpr T SizeSquared() const { return X * X + Y * Y + Z * Z; }
		constexpr T SquaredLength() const { return SizeSquared(); }
		T Size2D() const { return FMath::Sqrt(X * X + Y * Y); }
		constexpr T SizeSquared2D() const { return X * X + Y * Y; }

		// Each |component| <= Tolerance.
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance && FMath::Abs(Z) <= Tolerance;
		}
		constexpr bool IsZero() const { return X == 0 && Y == 0 && Z == 0; }
		bool IsUnit(T LengthSquaredTolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(T(1) - SizeSquared()) < LengthSquaredTolerance; }
		bool IsNormalized() const { return FMath::Abs(T(1) - SizeSquared()) < UE_THRESH_VECTOR_NORMALIZED; }
		bool IsUniform(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return AllComponentsEqual(Tolerance); }
		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z); }

		// Normalisation ---------------------------------------------------------------------------

		bool Normalize(T Tolerance = UE_SMALL_NUMBER)
		{
			const T SquareSum = X * X + Y * Y + Z * Z;
			if (SquareSum > Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				X *= Scale;
				Y *= Scale;
				Z *= Scale;
				return true;
			}
			return false;
		}
		TVector GetUnsafeNormal() const
		{
			const T Scale = FMath::InvSqrt(X * X + Y * Y + Z * Z);
			return TVector(X * Scale, Y * Scale, Z * Scale);
		}
		TVector GetUnsafeNormal2D() const
		{
			const T Scale = FMath::InvSqrt(X * X + Y * Y);
			return TVector(X * Scale, Y * Scale, 0);
		}
		TVector GetSafeNormal(T Tolerance = UE_SMALL_NUMBER, const TVector& ResultIfZero = ZeroVector) const
		{
			const T SquareSum = X * X + Y * Y + Z * Z;
			if (SquareSum == T(1))
			{
				return *this;
			}
			else if (SquareSum < Tolerance)
			{
				return ResultIfZero;
			}
			const T Scale = FMath::InvSqrt(SquareSum);
			return TVector(X * Scale, Y * Scale, Z * Scale);
		}
		TVector GetSafeNormal2D(T Tolerance = UE_SMALL_NUMBER, const TVector& ResultIfZero = ZeroVector) const
		{
			const T SquareSum = X * X + Y * Y;
			if (SquareSum == T(1))
			{
				return Z == 0 ? *this : TVector(X, Y, 0);
			}
			else if (SquareSum < Tolerance)
			{
				return ResultIfZero;
			}
			const T Scale = FMath::InvSqrt(SquareSum);
			return TVector(X * Scale, Y * Scale, 0);
		}
		void ToDirectionAndLength(TVector& OutDir, T& OutLength) const
		{
			OutLength = Size();
			if (OutLength > UE_SMALL_NUMBER)
			{
				const T OneOverLength = T(1) / OutLength;
				OutDir = TVector(X * OneOverLength, Y * OneOverLength, Z * OneOverLength);
			}
			else
			{
				OutDir = ZeroVector;
			}
		}
		TVector GetSignVector() const { return TVector(X >= 0 ? T(1) : T(-1), Y >= 0 ? T(1) : T(-1), Z >= 0 ? T(1) : T(-1)); }
		TVector Projection() const
		{
			const T RZ = T(1) / Z;
			return TVector(X * RZ, Y * RZ, 1);
		}
		TVector Reciprocal() const
		{
			return TVector(X != 0 ? T(1) / X : T(UE_BIG_NUMBER), Y != 0 ? T(1) / Y : T(UE_BIG_NUMBER), Z != 0 ? T(1) / Z : T(UE_BIG_NUMBER));
		}

		// Clamping --------------------------------------------------------------------------------

		TVector GridSnap(const T& GridSz) const { return TVector(FMath::GridSnap(X, GridSz), FMath::GridSnap(Y, GridSz), FMath::GridSnap(Z, GridSz)); }
		TVector BoundToCube(T Radius) const
		{
			return TVector(FMath::Clamp(X, -Radius, Radius), FMath::Clamp(Y, -Radius, Radius), FMath::Clamp(Z, -Radius, Radius));
		}
		TVector BoundToBox(const TVector& Min, const TVector& Max) const
		{
			return TVector(FMath::Clamp(X, Min.X, Max.X), FMath::Clamp(Y, Min.Y, Max.Y), FMath::Clamp(Z, Min.Z, Max.Z));
		}
		TVector GetClampedToSize(T Min, T Max) const
		{
			T VecSize = Size();
			const TVector VecDir = (VecSize > UE_SMALL_NUMBER) ? (*this / VecSize) : ZeroVector;
			VecSize = FMath::Clamp(VecSize, Min, Max);
			return VecSize * VecDir;
		}
		TVector GetClampedToSize2D(T Min, T Max) const
		{
			T VecSize2D = Size2D();
			const TVector VecDir = (VecSize2D > UE_SMALL_NUMBER) ? (*this / VecSize2D) : ZeroVector;
			VecSize2D = FMath::Clamp(VecSize2D, Min, Max);
			return TVector(VecSize2D * VecDir.X, VecSize2D * VecDir.Y, Z);
		}
		TVector GetClampedToMaxSize(T MaxSize) const
		{
			if (MaxSize < UE_KINDA_SMALL_NUMBER)
			{
				return ZeroVector;
			}
			const T VSq = SizeSquared();
			if (VSq > FMath::Square(MaxSize))
			{
				const T Scale = MaxSize * FMath::InvSqrt(VSq);
				return TVector(X * Scale, Y * Scale, Z * Scale);
			}
			return *this;
		}
		TVector GetClampedToMaxSize2D(T MaxSize) const
		{
			if (MaxSize < UE_KINDA_SMALL_NUMBER)
			{
				return TVector(0, 0, Z);
			}
			const T VSq2D = SizeSquared2D();
			if (VSq2D > FMath::Square(MaxSize))
			{
				const T Scale = MaxSize * FMath::InvSqrt(VSq2D);
				return TVector(X * Scale, Y * Scale, Z);
			}
			return *this;
		}

		// Geometry --------------------------------------------------------------------------------

		TVector RotateAngleAxisRad(const T AngleRad, const TVector& Axis) const
		{
			T S, C;
			FMath::SinCos(&S, &C, AngleRad);
			const T XX = Axis.X * Axis.X, YY = Axis.Y * Axis.Y, ZZ = Axis.Z * Axis.Z;
			const T XY = Axis.X * Axis.Y, YZ = Axis.Y * Axis.Z, ZX = Axis.Z * Axis.X;
			const T XS = Axis.X * S, YS = Axis.Y * S, ZS = Axis.Z * S;
			const T OMC = T(1) - C;
			return TVector((OMC * XX + C) * X + (OMC * XY - ZS) * Y + (OMC * ZX + YS) * Z,
				(OMC * XY + ZS) * X + (OMC * YY + C) * Y + (OMC * YZ - XS) * Z,
				(OMC * ZX - YS) * X + (OMC * YZ + XS) * Y + (OMC * ZZ + C) * Z);
		}
		TVector RotateAngleAxis(const T AngleDeg, const TVector& Axis) const { return RotateAngleAxisRad(FMath::DegreesToRadians(AngleDeg), Axis); }
		TVector MirrorByVector(const TVector& MirrorNormal) const { return *this - MirrorNormal * (T(2) * (*this | MirrorNormal)); }
		TVector ProjectOnTo(const TVector& A) const { return A * ((*this | A) / (A | A)); }
		TVector ProjectOnToNormal(const TVector& Normal) const { return Normal * (*this | Normal); }
		T CosineAngle2D(TVector B) const
		{
			TVector A(*this);
			A.Z = 0;
			B.Z = 0;
			A.Normalize();
			B.Normalize();
			return A | B;
		}
		// Yaw of the vector in radians.
		T HeadingAngle() const
		{
			TVector PlaneDir = *this;
			PlaneDir.Z = 0;
			PlaneDir = PlaneDir.GetSafeNormal();
			T Angle = FMath::Acos(PlaneDir.X);
			if (PlaneDir.Y < 0)
			{
				Angle *= T(-1);
			}
			return Angle;
		}

		// Orientation whose forward vector is this direction (Roll 0). Rotator.h / Quat.h.
		TRotator<T> ToOrientationRotator() const;
		TRotator<T> Rotation() const;
		TQuat<T> ToOrientationQuat() const;

		static T Dist(const TVector& V1, const TVector& V2) { return FMath::Sqrt(DistSquared(V1, V2)); }
		static T Distance(const TVector& V1, const TVector& V2) { return Dist(V1, V2); }
		static T DistXY(const TVector& V1, const TVector& V2) { return FMath::Sqrt(DistSquaredXY(V1, V2)); }
		static T Dist2D(const TVector& V1, const TVector& V2) { return DistXY(V1, V2); }
		static constexpr T DistSquared(const TVector& V1, const TVector& V2)
		{
			return FMath::Square(V2.X - V1.X) + FMath::Square(V2.Y - V1.Y) + FMath::Square(V2.Z - V1.Z);
		}
		static constexpr T DistSquaredXY(const TVector& V1, const TVector& V2) { return FMath::Square(V2.X - V1.X) + FMath::Square(V2.Y - V1.Y); }
		static constexpr T DistSquared2D(const TVector& V1, const TVector& V2) { return DistSquaredXY(V1, V2); }
		static TVector Min(const TVector& A, const TVector& B) { return A.ComponentMin(B); }
		static TVector Max(const TVector& A, const TVector& B) { return A.ComponentMax(B); }
		static TVector Min3(const TVector& A, const TVector& B, const TVector& C) { return Min(Min(A, B), C); }
		static TVector Max3(const TVector& A, const TVector& B, const TVector& C) { return Max(Max(A, B), C); }
		static bool PointsAreSame(const TVector& P, const TVector& Q) { return P.Equals(Q, UE_THRESH_POINTS_ARE_SAME); }
		static bool PointsAreNear(const TVector& Point1, const TVector& Point2, T Dist)
		{
			return FMath::Abs(Point1.X - Point2.X) < Dist && FMath::Abs(Point1.Y - Point2.Y) < Dist && FMath::Abs(Point1.Z - Point2.Z) < Dist;
		}
		static T PointPlaneDist(const TVector& Point, const TVector& PlaneBase, const TVector& PlaneNormal)
		{
			return (Point - PlaneBase) | PlaneNormal;
		}
		static TVector VectorPlaneProject(const TVector& V, const TVector& PlaneNormal) { return V - V.ProjectOnToNormal(PlaneNormal); }
		static bool Parallel(const TVector& Normal1, const TVector& Normal2, T ParallelCosineThreshold = UE_THRESH_NORMALS_ARE_PARALLEL)
		{
			return FMath::Abs(Normal1 | Normal2) >= ParallelCosineThreshold;
		}
		static bool Coincident(const TVector& Normal1, const TVector& Normal2, T ParallelCosineThreshold = UE_THRESH_NORMALS_ARE_PARALLEL)
		{
			return (Normal1 | Normal2) >= ParallelCosineThreshold;
		}
		static bool Orthogonal(const TVector& Normal1, const TVector& Normal2, T OrthogonalCosineThreshold = UE_THRESH_NORMALS_ARE_ORTHOGONAL)
		{
			return FMath::Abs(Normal1 | Normal2) <= OrthogonalCosineThreshold;
		}
		static T Triple(const TVector& X, const TVector& Y, const TVector& Z) { return X | (Y ^ Z); }
		static TVector RadiansToDegrees(const TVector& RadVector) { return RadVector * (T(180) / T(UE_DOUBLE_PI)); }
		static TVector DegreesToRadians(const TVector& DegVector) { return DegVector * (T(UE_DOUBLE_PI) / T(180)); }

		FString ToString() const { return FString::Printf(u"X=%3.3f Y=%3.3f Z=%3.3f", X, Y, Z); }
		FString ToCompactString() const { return FString::Printf(u"V(X=%.2f, Y=%.2f, Z=%.2f)", X, Y, Z); }

		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		friend constexpr TVector operator*(FArg Scale, const TVector& V)
		{
			return V.operator*(Scale);
		}
		friend uint32 GetTypeHash(const TVector& V) { return HashCombine(HashCombine(GetTypeHash(V.X), GetTypeHash(V.Y)), GetTypeHash(V.Z)); }
	};

	template <typename T>
	const TVector<T> TVector<T>::ZeroVector(0, 0, 0);
	template <typename T>
	const TVector<T> TVector<T>::OneVector(1, 1, 1);
	template <typename T>
	const TVector<T> TVector<T>::UpVector(0, 0, 1);
	template <typename T>
	const TVector<T> TVector<T>::DownVector(0, 0, -1);
	template <typename T>
	const TVector<T> TVector<T>::ForwardVector(1, 0, 0);
	template <typename T>
	const TVector<T> TVector<T>::BackwardVector(-1, 0, 0);
	template <typename T>
	const TVector<T> TVector<T>::RightVector(0, 1, 0);
	template <typename T>
	const TVector<T> TVector<T>::LeftVector(0, -1, 0);
	template <typename T>
	const TVector<T> TVector<T>::XAxisVector(1, 0, 0);
	template <typename T>
	const TVector<T> TVector<T>::YAxisVector(0, 1, 0);
	template <typename T>
	const TVector<T> TVector<T>::ZAxisVector(0, 0, 1);


	template <typename T>
	TVector2<T>::TVector2(const TVector<T>& V) : X(V.X), Y(V.Y)
	{
	}

	template <typename T>
	TVector<T> TVector2<T>::SphericalToUnitCartesian() const
	{
		const T SinTheta = FMath::Sin(X);
		return TVector<T>(FMath::Cos(Y) * SinTheta, FMath::Sin(Y) * SinTheta, FMath::Cos(X));
	}
}

inline FVector FMath::VInterpTo(const FVector& Current, const FVector& Target, float DeltaTime, float InterpSpeed)
{
	if (InterpSpeed <= 0.f)
	{
		return Target;
	}
	const FVector Dist = Target - Current;
	if (Dist.SizeSquared() < UE_KINDA_SMALL_NUMBER)
	{
		return Target;
	}
	const FVector DeltaMove = Dist * FMath::Clamp<float>(DeltaTime * InterpSpeed, 0.f, 1.f);
	return Current + DeltaMove;
}

inline FVector FMath::VInterpConstantTo(const FVector& Current, const FVector& Target, float DeltaTime, float InterpSpeed)
{
	const FVector Delta = Target - Current;
	const FVector::FReal DeltaM = Delta.Size();
	const float MaxStep = InterpSpeed * DeltaTime;
	if (DeltaM > MaxStep)
	{
		if (MaxStep > 0.f)
		{
			const FVector DeltaN = Delta / DeltaM;
			return Current + DeltaN * MaxStep;
		}
		return Current;
	}
	return Target;
}

// The math types refer to each other; each header includes the ones before it at the top and
// the next one at the bottom (Vector2D, Vector, Rotator, Quat, Vector4, Color), so including
// any of them brings in the whole set, in an order where every type is complete before the
// member definitions that need it.
#include "Math/Rotator.h"
