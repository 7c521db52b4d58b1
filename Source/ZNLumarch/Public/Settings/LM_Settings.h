#pragma once

#include "CoreMinimal.h"
#include "LM_Settings.generated.h"

class UMaterialInstanceDynamic;
class UMaterialInterface;
class UMaterialParameterCollection;
class UStaticMesh;
class UTextureCube;

//~ Static settings: applied once whenever the preset or the director changes.

/** Directional Light static settings */
USTRUCT(BlueprintType)
struct FLM_DirectionalLightSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	float Intensity = 20.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	float LightSourceAngle = 2.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Distance Field Shadows")
	float DistanceFieldShadowDistance = 51200.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light|Shadows")
	bool DisableShadowsBelowHorizon = true;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light|Shadows", meta = (ClampMin = "-90.0", ClampMax = "90.0", EditCondition = "DisableShadowsBelowHorizon", EditConditionHides))
	float ShadowDisableAltitudeDeg = -2.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	float IndirectLightingIntensity = 1.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	float VolumetricScatteringIntensity = 0.01f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	FLinearColor LightColor = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Atmosphere and Cloud")
	bool AtmosphereSunLight = true;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Shadows")
	bool RayTracedShadows = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Temperature")
	bool UseTemperature = true;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Temperature", meta = (EditCondition = "UseTemperature"))
	float Temperature = 6500.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light Shafts")
	float BloomScale = 0.2f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light Shafts")
	bool LightShaftOcclusion = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light Shafts", meta = (EditCondition = "LightShaftOcclusion"))
	float OcclusionMaskDarkness = 0.05f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light Shafts", meta = (EditCondition = "LightShaftOcclusion"))
	float OcclusionDepthRange = 1000000.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light Shafts")
	bool BloomShaft = false;
};

/** Exponential Fog (static settings) */
USTRUCT(BlueprintType)
struct FLM_ExponentialFogSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	float HeightQueryInterval = 1.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (ClampMin = "-10000.0", ClampMax = "10000.0", UIMin = "-10000.0", UIMax = "10000.0"))
	float HeightOffset = 0.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	float HeightClampZ = -2000.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	FLinearColor SkyAtmosphereAmbientContributionColorScale = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Volumetric Fog")
	float VolumetricNearFadeInDistance = 0.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Volumetric Fog")
	float VolumetricStartDistance = 0.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	TObjectPtr<UTextureCube> InscatteringColorCubemap = nullptr;
};

USTRUCT(BlueprintType)
struct FLM_SkyAtmosphereSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere")
	float AerialPerspectiveStartDepth = 0.1f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere")
	float AerialPerspectiveViewDistanceScale = 1.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere")
	float AtmosphereHeight = 60.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (ClampMin = "0.0", ClampMax = "10.0", UIMin = "0.0", UIMax = "2.0"))
	float MultiScatteringFactor = 1.5f;
};

/** Sky Light settings */
USTRUCT(BlueprintType)
struct FLM_SkylightSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere")
	TObjectPtr<UTextureCube> CubeMap = nullptr;
};

/** Sky sphere static settings */
USTRUCT(BlueprintType)
struct FLM_SkySettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Sphere")
	TObjectPtr<UMaterialInterface> SkyMaterial = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Sphere")
	TObjectPtr<UMaterialParameterCollection> MaterialParameterCollection = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Sky Sphere")
	TObjectPtr<UStaticMesh> SkySphereMesh = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Sphere")
	FVector SkySphereScale = FVector(1.0, 1.0, 1.0);
};

/** World-level settings (angles, fractions, etc) */
USTRUCT(BlueprintType)
struct FLM_WorldSettings
{
	GENERATED_BODY()

	FLM_WorldSettings()
		: bOverride_DayLightFraction(false)
	{
	}

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_DayLightFraction : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "World", meta = (ClampMin = "0.0", ClampMax = "1.0", UIMin = "0.0", UIMax = "1.0", EditCondition = "bOverride_DayLightFraction"))
	float DayLightFraction = 0.25f;
};

/** Scalability Setings */
USTRUCT(BlueprintType)
struct FLM_ScalibalitySettings
{
	GENERATED_BODY()

	/** Applied when GI is med or below */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Light")
	float SkyLightMultiplier = 0.1f;

	/** Applied when GI is med or below */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Fog")
	float FogMultiplier = 0.5f;
};

//~ Material parameter records: which parameters of a material an override drives, and their values.

USTRUCT(BlueprintType)
struct FLM_ScalarMaterialParamaterEntry
{
	GENERATED_BODY()

	UPROPERTY(VisibleAnywhere, BlueprintReadOnly)
	FName Name = NAME_None;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	float Value = 0.0f;
};

USTRUCT(BlueprintType)
struct FLM_VectorMaterialParameterEntry
{
	GENERATED_BODY()

	UPROPERTY(VisibleAnywhere, BlueprintReadOnly)
	FName Name = NAME_None;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	FLinearColor Value = FLinearColor(0.0f, 0.0f, 0.0f, 1.0f);
};

USTRUCT(BlueprintType)
struct FLM_MaterialParameterEntries
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (TitleProperty = "Name"))
	TArray<FLM_ScalarMaterialParamaterEntry> ScalarParameterEntries;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (TitleProperty = "Name"))
	TArray<FLM_VectorMaterialParameterEntry> VectorParameterEntries;

	/** Scalar parameters whose entries were dropped; reset to the material's default on the next apply. Not saved. */
	TSet<FName> ScalarParametersToReset;

	/** Vector parameters whose entries were dropped; reset to the material's default on the next apply. Not saved. */
	TSet<FName> VectorParametersToReset;
};

USTRUCT(BlueprintType)
struct FLM_MaterialParameterToggle
{
	GENERATED_BODY()

	UPROPERTY(VisibleAnywhere, BlueprintReadOnly)
	FName Name = NAME_None;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	bool InUse = false;
};

USTRUCT(BlueprintType)
struct FLM_MaterialParameterToggles
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (TitleProperty = "Name"))
	TArray<FLM_MaterialParameterToggle> ScalarParameterToggles;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (TitleProperty = "Name"))
	TArray<FLM_MaterialParameterToggle> VectorParameterToggles;

	/** Every scalar parameter of the material with the material's value, in the material's order. Not saved. */
	TArray<FLM_ScalarMaterialParamaterEntry> ScalarParameterDefaults;

	/** Every vector parameter of the material with the material's value, in the material's order. Not saved. */
	TArray<FLM_VectorMaterialParameterEntry> VectorParameterDefaults;
};

/** ZN-specific post process static settings */
USTRUCT(BlueprintType)
struct FLM_PostProcessMaterialSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	TObjectPtr<UMaterialInterface> PostProcessMaterial = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	FLM_MaterialParameterToggles MaterialParameterToggles;
};

/** Ground fog static settings */
USTRUCT(BlueprintType)
struct FLM_GroundFogSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Ground Fog")
	bool IsOverride = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Ground Fog", meta = (EditCondition = "IsOverride == false", EditConditionHides))
	bool UseVolumetricGroundFog = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Ground Fog", meta = (EditCondition = "UseVolumetricGroundFog && IsOverride == false", EditConditionHides))
	TObjectPtr<UMaterialInterface> VolumetricMaterial = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Ground Fog", meta = (EditCondition = "(UseVolumetricGroundFog && IsOverride == false) || IsOverride", EditConditionHides))
	FVector VolumetricFogScale = FVector(300.0, 300.0, 300.0);
};

//~ Dynamic overrides: the look at one point of the day, blended and applied every frame.
//~ The bOverride_ toggles only unlock their values in the editor; blending and applying read every value.

/** Generic post process dynamic settings (exposure, temp) */
USTRUCT(BlueprintType)
struct FLM_PostProcessDynamicSettings
{
	GENERATED_BODY()

	FLM_PostProcessDynamicSettings()
		: bOverride_MinEV100(false)
		, bOverride_MaxEV100(false)
		, bOverride_Temperature(false)
	{
	}

	/** Override toggles */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MinEV100 : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MaxEV100 : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_Temperature : 1;

	/** Properties */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Exposure", meta = (EditCondition = "bOverride_MinEV100"))
	float MinEV100 = -10.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Exposure", meta = (EditCondition = "bOverride_MaxEV100"))
	float MaxEV100 = 20.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Exposure", meta = (EditCondition = "bOverride_Temperature"))
	float Temperature = 6500.0f;
};

/** Sky Atmosphere dynamic settings */
USTRUCT(BlueprintType)
struct FLM_SkyAtmosphereDynamicSettings
{
	GENERATED_BODY()

	FLM_SkyAtmosphereDynamicSettings()
		: bOverride_GroundAlbedo(false)
		, bOverride_RayleighScatteringScale(false)
		, bOverride_RayleighScattering(false)
		, bOverride_GroundRadius(false)
		, bOverride_MieScatteringScale(false)
		, bOverride_MieAbsorptionScale(false)
		, bOverride_AbsorptionScale(false)
		, bOverride_Absorption(false)
		, bOverride_SkyLuminanceFactor(false)
		, bOverride_SkyAndAerialPerspectiveLuminanceFactor(false)
		, bOverride_HeightFogContribution(false)
	{
	}

	/** Override toggles */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_GroundAlbedo : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_RayleighScatteringScale : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_RayleighScattering : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_GroundRadius : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MieScatteringScale : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MieAbsorptionScale : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_AbsorptionScale : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_Absorption : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_SkyLuminanceFactor : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_SkyAndAerialPerspectiveLuminanceFactor : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_HeightFogContribution : 1;

	/** Properties */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_GroundAlbedo"))
	FLinearColor GroundAlbedo = FLinearColor(0.0f, 0.0f, 0.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_RayleighScatteringScale"))
	float RayleighScatteringScale = 0.0331f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_RayleighScattering"))
	FLinearColor RayleighScattering = FLinearColor(0.175287f, 0.409607f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_GroundRadius"))
	float GroundRadius = 6360.0f;

	//~ Deliberately the Rayleigh scale, not the engine's own Mie default.
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_MieScatteringScale"))
	float MieScatteringScale = 0.0331f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_MieAbsorptionScale"))
	float MieAbsorptionScale = 0.000444f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_AbsorptionScale"))
	float AbsorptionScale = 0.001881f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_Absorption"))
	FLinearColor Absorption = FLinearColor(0.345561f, 1.0f, 0.045189f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_SkyLuminanceFactor"))
	FLinearColor SkyLuminanceFactor = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_SkyAndAerialPerspectiveLuminanceFactor"))
	FLinearColor SkyAndAerialPerspectiveLuminanceFactor = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere", meta = (EditCondition = "bOverride_HeightFogContribution"))
	float HeightFogContribution = 1.0f;
};

/** Exponential Fog (dynamic settings) */
USTRUCT(BlueprintType)
struct FLM_ExponentialFogDynamicSettings
{
	GENERATED_BODY()

	FLM_ExponentialFogDynamicSettings()
		: bOverride_Density(false)
		, bOverride_HeightFalloff(false)
		, bOverride_FogMaxOpacity(false)
		, bOverride_ScatteringDistribution(false)
		, bOverride_StartDistance(false)
		, bOverride_CutOffDistance(false)
		, bOverride_FogInscatteringColor(false)
		, bOverride_VolumetricScatteringDistribution(false)
		, bOverride_VolumetricAlbedo(false)
		, bOverride_VolumetricEmissiveColor(false)
		, bOverride_VolumetricViewDistance(false)
		, bOverride_VolumetricExtinctionScale(false)
	{
	}

	/** Override toggles */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_Density : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_HeightFalloff : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_FogMaxOpacity : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_ScatteringDistribution : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_StartDistance : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_CutOffDistance : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_FogInscatteringColor : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_VolumetricScatteringDistribution : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_VolumetricAlbedo : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_VolumetricEmissiveColor : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_VolumetricViewDistance : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_VolumetricExtinctionScale : 1;

	/** Properties */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_Density"))
	float Density = 0.1f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_HeightFalloff"))
	float HeightFalloff = 0.2f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_FogMaxOpacity"))
	float FogMaxOpacity = 1.0f;

	//~ Edited and blended, but no component receives it yet.
	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_ScatteringDistribution"))
	float ScatteringDistribution = 0.2f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_StartDistance"))
	float StartDistance = 0.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_CutOffDistance"))
	float CutOffDistance = 0.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_FogInscatteringColor"))
	FLinearColor FogInscatteringColor = FLinearColor(0.0f, 0.0f, 0.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Volumetric Fog", meta = (EditCondition = "bOverride_VolumetricScatteringDistribution"))
	float VolumetricScatteringDistribution = 0.2f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Volumetric Fog", meta = (EditCondition = "bOverride_VolumetricAlbedo"))
	FLinearColor VolumetricAlbedo = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Volumetric Fog", meta = (EditCondition = "bOverride_VolumetricEmissiveColor"))
	FLinearColor VolumetricEmissiveColor = FLinearColor(0.0f, 0.0f, 0.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Volumetric Fog", meta = (EditCondition = "bOverride_VolumetricViewDistance"))
	float VolumetricViewDistance = 6000.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Volumetric Fog", meta = (EditCondition = "bOverride_VolumetricExtinctionScale"))
	float VolumetricExtinctionScale = 1.0f;
};

/** Sky Light dynamic settings */
USTRUCT(BlueprintType)
struct FLM_SkyLightDynamicSettings
{
	GENERATED_BODY()

	FLM_SkyLightDynamicSettings()
		: bOverride_IntensityScale(false)
		, bOverride_IndirectLightIntensity(false)
		, bOverride_VolumetricScatteringIntensity(false)
		, bOverride_LightColor(false)
		, bOverride_LowerHemisphereColor(false)
	{
	}

	/** Override toggles */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_IntensityScale : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_IndirectLightIntensity : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_VolumetricScatteringIntensity : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_LightColor : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_LowerHemisphereColor : 1;

	/** Properties */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_IntensityScale"))
	float IntensityScale = 1.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_IndirectLightIntensity"))
	float IndirectLightIntensity = 1.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_VolumetricScatteringIntensity"))
	float VolumetricScatteringIntensity = 1.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_LightColor"))
	FLinearColor LightColor = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_LowerHemisphereColor"))
	FLinearColor LowerHemisphereColor = FLinearColor(0.0f, 0.0f, 0.0f, 1.0f);
};

/** ZN-specific post process dynamic settings */
USTRUCT(BlueprintType)
struct FLM_PostProcessMaterialDynamicSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite)
	FLM_MaterialParameterEntries ParameterEntries;
};

/** Full day/night override data */
USTRUCT(BlueprintType)
struct FLM_DayNightOverride
{
	GENERATED_BODY()

	FLM_DayNightOverride()
		: Name(NAME_None)
	{
	}

	explicit FLM_DayNightOverride(FName InName)
		: Name(InName)
	{
	}

	/**
	 * Moves this override the fraction T of the way towards Other: every value linearly, the two albedos
	 * through HSV and then onto the 8-bit sRGB grid, material entries only where Other has one of the
	 * same name. The name becomes Other's past the halfway point; toggles, entry lists and reset sets
	 * stay this override's.
	 */
	ZNLUMARCH_API void Lerp(const FLM_DayNightOverride& Other, float T);

	//~ Saved with the preset, but neither shown nor visible to scripts: the preset names its overrides.
	UPROPERTY()
	FName Name;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Post Process")
	FLM_PostProcessDynamicSettings PostProcessSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Post Process")
	FLM_PostProcessMaterialDynamicSettings PostProcessMaterialSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Atmosphere")
	FLM_SkyAtmosphereDynamicSettings SkyAtmosphereSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Fog")
	FLM_ExponentialFogDynamicSettings FogSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Light")
	FLM_SkyLightDynamicSettings SkyLightSetting;
};

/** Directional Light dynamic settings */
USTRUCT(BlueprintType)
struct FLM_DirectionalLightDynamicSettings
{
	GENERATED_BODY()

	FLM_DirectionalLightDynamicSettings()
		: bOverride_IndirectLightingIntensity(false)
		, bOverride_VolumetricScatteringIntensity(false)
		, bOverride_LightColor(false)
		, bOverride_Temperature(false)
		, bOverride_BloomScale(false)
	{
	}

	/** Override toggles */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_IndirectLightingIntensity : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_VolumetricScatteringIntensity : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_LightColor : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_Temperature : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_BloomScale : 1;

	/** Properties */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_IndirectLightingIntensity"))
	float IndirectLightingIntensity = 1.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_VolumetricScatteringIntensity"))
	float VolumetricScatteringIntensity = 0.01f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, meta = (EditCondition = "bOverride_LightColor"))
	FLinearColor LightColor = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Temperature", meta = (EditCondition = "bOverride_Temperature"))
	float Temperature = 6500.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Light Shafts", meta = (EditCondition = "bOverride_BloomScale"))
	float BloomScale = 0.2f;
};

/** Ground fog dynamic settings */
USTRUCT(BlueprintType)
struct FLM_GroundFogSettingsDynamic
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Ground Fog")
	FLinearColor Albedo = FLinearColor(1.0f, 1.0f, 1.0f, 1.0f);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Ground Fog")
	float ExtinctionScale = 0.9f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Ground Fog")
	float GroundDistance = 175.0f;
};

/** Sky sphere dynamic settings */
USTRUCT(BlueprintType)
struct FLM_SkyDynamicSettings
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Sky Sphere")
	FLM_MaterialParameterEntries ParameterEntries;
};

/**
 * Keeps the material parameter records in step with a material and writes them to its dynamic
 * instances. Names compare as engine names (case-insensitive); lists shown in the editor are kept
 * in case-insensitive alphabetical order.
 */
namespace LM_MaterialParameters
{
	/**
	 * Rebuilds the toggles from the material's scalar and vector parameters, keeping the InUse of
	 * names that were already listed; new parameters start switched off, vanished ones are dropped.
	 * Also refreshes the defaults lists with the material's current values. No-op without a material.
	 */
	ZNLUMARCH_API void SyncToggles(FLM_MaterialParameterToggles& Toggles, const UMaterialInterface* Material);

	/**
	 * Rebuilds the entries so that they hold exactly the parameters the toggles mark in use: kept
	 * entries keep their values, new ones start from the material's value. Dropped entries are
	 * queued in the reset sets so that the next apply restores the material's default.
	 */
	ZNLUMARCH_API void SyncEntries(FLM_MaterialParameterEntries& Entries, const FLM_MaterialParameterToggles& Toggles);

	/**
	 * Resets the queued parameters to their defaults, empties the reset sets, then writes every
	 * named entry to the instance. No-op without an instance.
	 */
	ZNLUMARCH_API void ApplyParameterEntries(FLM_MaterialParameterEntries& Entries, UMaterialInstanceDynamic* MaterialInstance);
}
