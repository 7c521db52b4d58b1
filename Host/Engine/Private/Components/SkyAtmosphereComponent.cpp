// Atmosphere setters follow the engine's macros: guarded by AreDynamicDataChangesAllowed and a change
// test on the value as given; scattering and absorption colours are stored clamped to [0, 1e38].
#include "Components/SkyAtmosphereComponent.h"
#include "Misc/AssertionMacros.h"

USkyAtmosphereComponent::USkyAtmosphereComponent()
{
	// Earth-like defaults; distances in kilometers, coefficients in 1/kilometers.
	const float EarthBottomRadius = 6360.0f;
	const float EarthTopRadius = 6420.0f;
	const float EarthRayleighScaleHeight = 8.0f;
	const float EarthMieScaleHeight = 1.2f;

	TransformMode = ESkyAtmosphereTransformMode::PlanetTopAtAbsoluteWorldOrigin;
	BottomRadius = EarthBottomRadius;
	AtmosphereHeight = EarthTopRadius - EarthBottomRadius;
	GroundAlbedo = FColor(170, 170, 170);

	// Split as the engine does into a unit colour and a scale; the scale multiplies alpha too.
	const FLinearColor RayleighScatteringRaw = FLinearColor(0.005802f, 0.013558f, 0.033100f);
	RayleighScattering = RayleighScatteringRaw * (1.0f / RayleighScatteringRaw.B);
	RayleighScatteringScale = RayleighScatteringRaw.B;
	RayleighExponentialDistribution = EarthRayleighScaleHeight;

	MieScattering = FLinearColor::White;
	MieScatteringScale = 0.003996f;
	MieAbsorption = FLinearColor::White;
	MieAbsorptionScale = 0.000444f;
	MieAnisotropy = 0.8f;
	MieExponentialDistribution = EarthMieScaleHeight;

	// Ozone-like absorption.
	const FLinearColor OtherAbsorptionRaw = FLinearColor(0.000650f, 0.001881f, 0.000085f);
	OtherAbsorptionScale = OtherAbsorptionRaw.G;
	OtherAbsorption = OtherAbsorptionRaw * (1.0f / OtherAbsorptionRaw.G);

	SkyLuminanceFactor = FLinearColor::White;
	SkyAndAerialPerspectiveLuminanceFactor = FLinearColor::White;
	MultiScatteringFactor = 1.0f;
	AerialPespectiveViewDistanceScale = 1.0f;
	HeightFogContribution = 1.0f;
	TransmittanceMinLightElevationAngle = -90.0f;
	AerialPerspectiveStartDepth = 0.1f;

	for (int32 Index = 0; Index < NUM_ATMOSPHERE_LIGHTS; ++Index)
	{
		OverrideAtmosphericLight[Index] = false;
		OverrideAtmosphericLightDirection[Index] = FVector::ZeroVector;
	}
}

#define SKY_DECLARE_BLUEPRINT_SETFUNCTION(MemberType, MemberName) \
	void USkyAtmosphereComponent::Set##MemberName(MemberType NewValue) \
	{ \
		if (AreDynamicDataChangesAllowed() && MemberName != NewValue) \
		{ \
			MemberName = NewValue; \
			MarkRenderStateDirty(); \
		} \
	}

#define SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT(MemberName) \
	void USkyAtmosphereComponent::Set##MemberName(FLinearColor NewValue) \
	{ \
		if (AreDynamicDataChangesAllowed() && MemberName != NewValue) \
		{ \
			MemberName = NewValue.GetClamped(0.0f, 1e38f); \
			MarkRenderStateDirty(); \
		} \
	}

SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, BottomRadius)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(const FColor&, GroundAlbedo)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, AtmosphereHeight)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, MultiScatteringFactor)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, RayleighScatteringScale)
SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT(RayleighScattering)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, RayleighExponentialDistribution)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, MieScatteringScale)
SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT(MieScattering)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, MieAbsorptionScale)
SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT(MieAbsorption)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, MieAnisotropy)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, MieExponentialDistribution)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, OtherAbsorptionScale)
SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT(OtherAbsorption)
SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT(SkyLuminanceFactor)
SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT(SkyAndAerialPerspectiveLuminanceFactor)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, AerialPespectiveViewDistanceScale)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, HeightFogContribution)
SKY_DECLARE_BLUEPRINT_SETFUNCTION(float, AerialPerspectiveStartDepth)

#undef SKY_DECLARE_BLUEPRINT_SETFUNCTION
#undef SKY_DECLARE_BLUEPRINT_SETFUNCTION_LINEARCOEFFICIENT

void USkyAtmosphereComponent::OverrideAtmosphereLightDirection(int32 AtmosphereLightIndex, const FVector& LightDirection)
{
	check(AtmosphereLightIndex >= 0 && AtmosphereLightIndex < NUM_ATMOSPHERE_LIGHTS);
	// The engine needs its scene proxy here; a registered host component has its render state instead.
	if (AreDynamicDataChangesAllowed() && IsRenderStateCreated()
		&& (!OverrideAtmosphericLight[AtmosphereLightIndex] || OverrideAtmosphericLightDirection[AtmosphereLightIndex] != LightDirection))
	{
		OverrideAtmosphericLight[AtmosphereLightIndex] = true;
		OverrideAtmosphericLightDirection[AtmosphereLightIndex] = LightDirection;
		MarkRenderStateDirty();
	}
}

bool USkyAtmosphereComponent::IsAtmosphereLightDirectionOverriden(int32 AtmosphereLightIndex)
{
	check(AtmosphereLightIndex >= 0 && AtmosphereLightIndex < NUM_ATMOSPHERE_LIGHTS);
	return OverrideAtmosphericLight[AtmosphereLightIndex];
}

FVector USkyAtmosphereComponent::GetOverridenAtmosphereLightDirection(int32 AtmosphereLightIndex)
{
	check(AtmosphereLightIndex >= 0 && AtmosphereLightIndex < NUM_ATMOSPHERE_LIGHTS);
	return OverrideAtmosphericLightDirection[AtmosphereLightIndex];
}

void USkyAtmosphereComponent::ResetAtmosphereLightDirectionOverride(int32 AtmosphereLightIndex)
{
	check(AtmosphereLightIndex >= 0 && AtmosphereLightIndex < NUM_ATMOSPHERE_LIGHTS);
	if (AreDynamicDataChangesAllowed() && IsRenderStateCreated() && OverrideAtmosphericLight[AtmosphereLightIndex])
	{
		OverrideAtmosphericLight[AtmosphereLightIndex] = false;
		MarkRenderStateDirty();
	}
}
