// TTransform: scale, then rotation, then translation (FTransform = double).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/MathFwd.h"
#include "Math/Quat.h"
#include "Math/Rotator.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

namespace UE::Math
{
	template <typename T>
	struct TTransform
	{
		static_assert(std::is_floating_point_v<T>, "T must be floating point");
		using FReal = T;

		static const TTransform Identity;

		// The identity, as in the engine.
		constexpr TTransform() : Rotation(0, 0, 0, 1), Translation(0, 0, 0), Scale3D(1, 1, 1) {}
		explicit TTransform(ENoInit) {}
		explicit TTransform(const TVector<T>& InTranslation) : Rotation(TQuat<T>::Identity), Translation(InTranslation), Scale3D(TVector<T>::OneVector) {}
		explicit TTransform(const TQuat<T>& InRotation) : Rotation(InRotation), Translation(TVector<T>::ZeroVector), Scale3D(TVector<T>::OneVector) {}
		explicit TTransform(const TRotator<T>& InRotation)
			: Rotation(InRotation.Quaternion()), Translation(TVector<T>::ZeroVector), Scale3D(TVector<T>::OneVector)
		{
		}
		constexpr TTransform(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>::OneVector)
			: Rotation(InRotation), Translation(InTranslation), Scale3D(InScale3D)
		{
		}
		TTransform(const TRotator<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>::OneVector)
			: Rotation(InRotation.Quaternion()), Translation(InTranslation), Scale3D(InScale3D)
		{
		}

		TVector<T> GetLocation() const { return Translation; }
		const TVector<T>& GetTranslation() const { return Translation; }
		void SetLocation(const TVector<T>& Origin) { Translation = Origin; }
		void SetTranslation(const TVector<T>& NewTranslation) { Translation = NewTranslation; }
		void AddToTranslation(const TVector<T>& DeltaTranslation) { Translation += DeltaTranslation; }
		const TQuat<T>& GetRotation() const { return Rotation; }
		void SetRotation(const TQuat<T>& NewRotation) { Rotation = NewRotation; }
		TRotator<T> Rotator() const { return Rotation.Rotator(); }
		const TVector<T>& GetScale3D() const { return Scale3D; }
		void SetScale3D(const TVector<T>& NewScale3D) { Scale3D = NewScale3D; }
		void SetComponents(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D)
		{
			Rotation = InRotation;
			Translation = InTranslation;
			Scale3D = InScale3D;
		}
		void SetIdentity() { *this = TTransform(); }

		TVector<T> TransformPosition(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V) + Translation; }
		TVector<T> TransformPositionNoScale(const TVector<T>& V) const { return Rotation.RotateVector(V) + Translation; }
		TVector<T> TransformVector(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V); }
		TVector<T> TransformVectorNoScale(const TVector<T>& V) const { return Rotation.RotateVector(V); }
		TVector<T> InverseTransformPosition(const TVector<T>& V) const
		{
			return Rotation.UnrotateVector(V - Translation) * GetSafeScaleReciprocal(Scale3D);
		}
		TVector<T> InverseTransformPositionNoScale(const TVector<T>& V) const { return Rotation.UnrotateVector(V - Translation); }
		TVector<T> InverseTransformVector(const TVector<T>& V) const { return Rotation.UnrotateVector(V) * GetSafeScaleReciprocal(Scale3D); }
		TVector<T> InverseTransformVectorNoScale(const TVector<T>& V) const { return Rotation.UnrotateVector(V); }
		TQuat<T> TransformRotation(const TQuat<T>& Q) const { return Rotation * Q; }
		TQuat<T> InverseTransformRotation(const TQuat<T>& Q) const { return Rotation.Inverse() * Q; }

		TTransform Inverse() const
		{
			const TQuat<T> InvRotation = Rotation.Inverse();
			const TVector<T> InvScale3D = GetSafeScaleReciprocal(Scale3D);
			const TVector<T> InvTranslation = InvRotation.RotateVector(InvScale3D * -Translation);
			return TTransform(InvRotation, InvTranslation, InvScale3D);
		}
		// A * B applies A first, then B.
		TTransform operator*(const TTransform& B) const
		{
			TTransform Out;
			Out.Rotation = B.Rotation * Rotation;
			Out.Scale3D = Scale3D * B.Scale3D;
			Out.Translation = B.Rotation.RotateVector(B.Scale3D * Translation) + B.Translation;
			return Out;
		}
		TTransform& operator*=(const TTransform& Other)
		{
			*this = *this * Other;
			return *this;
		}

		bool Equals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return Rotation.Equals(Other.Rotation, Tolerance) && Translation.Equals(Other.Translation, Tolerance) &&
				Scale3D.Equals(Other.Scale3D, Tolerance);
		}
		bool ContainsNaN() const { return Rotation.ContainsNaN() || Translation.ContainsNaN() || Scale3D.ContainsNaN(); }
		bool IsValid() const { return !ContainsNaN() && Rotation.IsNormalized(); }
		FString ToHumanReadableString() const
		{
			return FString::Printf(u"Rotation: %s\nTranslation: %s\nScale3D: %s", *Rotator().ToString(), *Translation.ToString(), *Scale3D.ToString());
		}
		FString ToString() const
		{
			const TRotator<T> R = Rotator();
			return FString::Printf(u"%f,%f,%f|%f,%f,%f|%f,%f,%f", Translation.X, Translation.Y, Translation.Z, R.Pitch, R.Yaw, R.Roll,
				Scale3D.X, Scale3D.Y, Scale3D.Z);
		}

		static TVector<T> GetSafeScaleReciprocal(const TVector<T>& InScale, T Tolerance = UE_SMALL_NUMBER)
		{
			return TVector<T>(FMath::Abs(InScale.X) <= Tolerance ? T(0) : T(1) / InScale.X,
				FMath::Abs(InScale.Y) <= Tolerance ? T(0) : T(1) / InScale.Y, FMath::Abs(InScale.Z) <= Tolerance ? T(0) : T(1) / InScale.Z);
		}

	private:
		TQuat<T> Rotation;
		TVector<T> Translation;
		TVector<T> Scale3D;
	};

	template <typename T>
	const TTransform<T> TTransform<T>::Identity(TQuat<T>(0, 0, 0, 1), TVector<T>(0, 0, 0), TVector<T>(1, 1, 1));
}
