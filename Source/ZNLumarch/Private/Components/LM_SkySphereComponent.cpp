#include "Components/LM_SkySphereComponent.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "Engine/World.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"
#include <cmath>

namespace
{
	// Single-precision pi/180, as the sky material's own angle conversion uses.
	constexpr float DegreesToRadians = 3.14159265358979323846f / 180.0f;

	constexpr double SmallSquaredLength = 1e-8;

	const FName SunLightDirectionName(TEXT("SunLightDirection"));
	const FName MoonLightDirectionName(TEXT("MoonLightDirection"));
	const FName MoonLightColorName(TEXT("MoonLightColor"));
	const FName MoonAlphaName(TEXT("MoonAlpha"));
	const FName SunAlphaName(TEXT("SunAlpha"));
	const FName SunPitchName(TEXT("SunPitch"));
	const FName SunAnglesName(TEXT("SunAngles"));
	const FName MoonAnglesName(TEXT("MoonAngles"));
	const FName MoonXAxisName(TEXT("MoonXAxis"));
	const FName CelestialElevationPhaseName(TEXT("CelestialElevationPhase"));

	/**
	 * The moon's up axis turned half a turn about its forward direction, so the sky material can
	 * orient the moon disc. Kept in double precision with the exact rotation arithmetic, whose sin(pi)
	 * is not quite zero, so the result matches the material's expectations to rounding.
	 */
	FVector ComputeMoonXAxis(const FRotator& MoonRotation, const FVector& MoonForward)
	{
		const double P = MoonRotation.Pitch * static_cast<double>(DegreesToRadians);
		const double Y = MoonRotation.Yaw * static_cast<double>(DegreesToRadians);
		const double R = MoonRotation.Roll * static_cast<double>(DegreesToRadians);
		const double SP = std::sin(P), CP = std::cos(P);
		const double SY = std::sin(Y), CY = std::cos(Y);
		const double SR = std::sin(R), CR = std::cos(R);

		double Ux = -(CR * SP * CY + SR * SY);
		double Uy = CY * SR - CR * SP * SY;
		double Uz = CR * CP;

		const double USquared = Ux * Ux + Uy * Uy + Uz * Uz;
		// A unit axis is kept bit for bit; only a degenerate or off-length one is touched.
		if (USquared < SmallSquaredLength)
		{
			Ux = Uy = Uz = 0.0;
		}
		else if (USquared != 1.0)
		{
			const double Scale = 1.0 / std::sqrt(USquared);
			Ux *= Scale;
			Uy *= Scale;
			Uz *= Scale;
		}

		const FVector& F = MoonForward;
		const double Angle = 3.14159265358979323846;
		const double S = std::sin(Angle);
		const double C = std::cos(Angle);
		const double OMC = 1.0 - C;
		const double XX = F.X * F.X, YY = F.Y * F.Y, ZZ = F.Z * F.Z;
		const double XY = F.X * F.Y, YZ = F.Y * F.Z, ZX = F.Z * F.X;
		const double XS = F.X * S, YS = F.Y * S, ZS = F.Z * S;

		FVector Result(
			(OMC * XX + C) * Ux + (OMC * XY - ZS) * Uy + (OMC * ZX + YS) * Uz,
			(OMC * XY + ZS) * Ux + (OMC * YY + C) * Uy + (OMC * YZ - XS) * Uz,
			(OMC * ZX - YS) * Ux + (OMC * YZ + XS) * Uy + (OMC * ZZ + C) * Uz);

		const double ResultSquared = Result.X * Result.X + Result.Y * Result.Y + Result.Z * Result.Z;
		if (ResultSquared > SmallSquaredLength)
		{
			Result /= std::sqrt(ResultSquared);
		}
		return Result;
	}
}

ULM_SkySphereComponent::ULM_SkySphereComponent()
{
	// The dome surrounds everything: it must neither shadow the level nor block anything.
	SetCastShadow(false);
	BodyInstance.SetCollisionEnabled(ECollisionEnabled::NoCollision, true);
}

void ULM_SkySphereComponent::ApplyMaterialToSkySpere(UMaterialInterface* Material)
{
	if (!IsValid(Material))
	{
		return;
	}

	// Re-applying the same sky keeps the instance, and with it every parameter already written.
	const UMaterialInstanceDynamic* Existing = GetDynamicMaterial();
	if (IsValid(Existing) && Existing->Parent == Material)
	{
		return;
	}

	SetMaterial(0, UMaterialInstanceDynamic::Create(Material, this));
}

UMaterialInstanceDynamic* ULM_SkySphereComponent::GetDynamicMaterial() const
{
	return Cast<UMaterialInstanceDynamic>(GetMaterial(0));
}

void ULM_SkySphereComponent::SetMaterialParamaterCollection(UMaterialParameterCollection* Collection)
{
	MaterialParameterCollection = Collection;
}

void ULM_SkySphereComponent::ApplyMaterialParameters(const TArray<FLM_ScalarMaterialParamaterEntry>& ScalarEntries, const TArray<FLM_VectorMaterialParameterEntry>& VectorEntries) const
{
	UMaterialInstanceDynamic* DynamicMaterial = GetDynamicMaterial();
	if (!DynamicMaterial)
	{
		return;
	}

	for (const FLM_ScalarMaterialParamaterEntry& Entry : ScalarEntries)
	{
		if (!Entry.Name.IsNone())
		{
			DynamicMaterial->SetScalarParameterValue(Entry.Name, Entry.Value);
		}
	}
	for (const FLM_VectorMaterialParameterEntry& Entry : VectorEntries)
	{
		if (!Entry.Name.IsNone())
		{
			DynamicMaterial->SetVectorParameterValue(Entry.Name, Entry.Value);
		}
	}
}

void ULM_SkySphereComponent::Update(const ULM_CelestialRotationComponent* Celestial, const FLinearColor& MoonLightColor)
{
	const UMaterialParameterCollection* Collection = MaterialParameterCollection.Get();
	if (!Collection)
	{
		return;
	}
	const UWorld* World = GetWorld();
	UMaterialParameterCollectionInstance* Instance = World ? World->GetParameterCollectionInstance(Collection) : nullptr;
	if (!Instance)
	{
		return;
	}

	check(Celestial);
	// The raw rotations: the sky draws the bodies where they are, not where the lights are clamped to.
	const FRotator SunRotation = Celestial->GetSunRotationRaw();
	const FRotator MoonRotation = Celestial->GetMoonRotationRaw();

	// Materials bind collection parameters by name only, so a missing one is the asset's business.
	// Forward vectors from the celestial component, which works each out once a frame for every reader.
	const FVector MoonForward = Celestial->GetMoonForwardVector();
	Instance->SetVectorParameterValue(SunLightDirectionName, FLinearColor(Celestial->GetSunForwardVector()));
	Instance->SetVectorParameterValue(MoonLightDirectionName, FLinearColor(MoonForward));
	Instance->SetVectorParameterValue(MoonLightColorName, MoonLightColor);
	Instance->SetScalarParameterValue(MoonAlphaName, Celestial->GetMoonAlpha());
	Instance->SetScalarParameterValue(SunAlphaName, Celestial->GetSunAlpha());
	Instance->SetScalarParameterValue(SunPitchName, static_cast<float>(-SunRotation.Pitch));
	Instance->SetVectorParameterValue(SunAnglesName, FLinearColor(SunRotation.Euler()));
	Instance->SetVectorParameterValue(MoonAnglesName, FLinearColor(MoonRotation.Euler()));
	Instance->SetVectorParameterValue(MoonXAxisName, FLinearColor(ComputeMoonXAxis(MoonRotation, MoonForward)));
	Instance->SetScalarParameterValue(CelestialElevationPhaseName, Celestial->GetCelestialElevationPhase());
}
