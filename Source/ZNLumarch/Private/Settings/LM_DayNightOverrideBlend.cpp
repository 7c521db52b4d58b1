// The blend of two day/night overrides, run every frame on copies of the stored looks.
#include "Settings/LM_Settings.h"
#include "Math/Color.h"

namespace
{
	void LerpInPlace(float& A, const float B, const float T)
	{
		A = A + (B - A) * T;
	}

	void LerpInPlace(FLinearColor& A, const FLinearColor& B, const float T)
	{
		LerpInPlace(A.R, B.R, T);
		LerpInPlace(A.G, B.G, T);
		LerpInPlace(A.B, B.B, T);
		LerpInPlace(A.A, B.A, T);
	}

	// Albedos reach the engine as 8-bit sRGB; blending in HSV keeps the hue from greying on the way.
	void LerpAlbedoInPlace(FLinearColor& A, const FLinearColor& B, const float T)
	{
		A = FLinearColor(FLinearColor::LerpUsingHSV(A, B, T).ToFColorSRGB());
	}

	/**
	 * The value of Other's entry named Name; the last one when a name repeats, as a name-to-value map built
	 * from the list would hold. A material has a handful of parameters, so a search beats building a map
	 * (and allocating it) every frame.
	 */
	template <typename EntryType>
	const decltype(EntryType::Value)* FindEntryValue(const TArray<EntryType>& Entries, const FName Name)
	{
		for (int32 Index = Entries.Num() - 1; Index >= 0; --Index)
		{
			if (Entries[Index].Name == Name)
			{
				return &Entries[Index].Value;
			}
		}
		return nullptr;
	}

	template <typename EntryType>
	void LerpEntriesInPlace(TArray<EntryType>& A, const TArray<EntryType>& B, const float T)
	{
		for (EntryType& Entry : A)
		{
			if (const auto* Other = FindEntryValue(B, Entry.Name))
			{
				LerpInPlace(Entry.Value, *Other, T);
			}
		}
	}
}

void FLM_DayNightOverride::Lerp(const FLM_DayNightOverride& Other, const float T)
{
	FLM_PostProcessDynamicSettings& PostProcess = PostProcessSettings;
	LerpInPlace(PostProcess.MinEV100, Other.PostProcessSettings.MinEV100, T);
	LerpInPlace(PostProcess.MaxEV100, Other.PostProcessSettings.MaxEV100, T);
	LerpInPlace(PostProcess.Temperature, Other.PostProcessSettings.Temperature, T);

	FLM_SkyAtmosphereDynamicSettings& Atmosphere = SkyAtmosphereSettings;
	const FLM_SkyAtmosphereDynamicSettings& OtherAtmosphere = Other.SkyAtmosphereSettings;
	LerpInPlace(Atmosphere.RayleighScatteringScale, OtherAtmosphere.RayleighScatteringScale, T);
	LerpInPlace(Atmosphere.RayleighScattering, OtherAtmosphere.RayleighScattering, T);
	LerpInPlace(Atmosphere.GroundRadius, OtherAtmosphere.GroundRadius, T);
	LerpInPlace(Atmosphere.MieScatteringScale, OtherAtmosphere.MieScatteringScale, T);
	LerpInPlace(Atmosphere.MieAbsorptionScale, OtherAtmosphere.MieAbsorptionScale, T);
	LerpInPlace(Atmosphere.AbsorptionScale, OtherAtmosphere.AbsorptionScale, T);
	LerpInPlace(Atmosphere.Absorption, OtherAtmosphere.Absorption, T);
	LerpInPlace(Atmosphere.SkyLuminanceFactor, OtherAtmosphere.SkyLuminanceFactor, T);
	LerpInPlace(Atmosphere.SkyAndAerialPerspectiveLuminanceFactor, OtherAtmosphere.SkyAndAerialPerspectiveLuminanceFactor, T);
	LerpInPlace(Atmosphere.HeightFogContribution, OtherAtmosphere.HeightFogContribution, T);
	LerpAlbedoInPlace(Atmosphere.GroundAlbedo, OtherAtmosphere.GroundAlbedo, T);

	FLM_ExponentialFogDynamicSettings& Fog = FogSettings;
	const FLM_ExponentialFogDynamicSettings& OtherFog = Other.FogSettings;
	LerpInPlace(Fog.Density, OtherFog.Density, T);
	LerpInPlace(Fog.HeightFalloff, OtherFog.HeightFalloff, T);
	LerpInPlace(Fog.FogMaxOpacity, OtherFog.FogMaxOpacity, T);
	LerpInPlace(Fog.ScatteringDistribution, OtherFog.ScatteringDistribution, T);
	LerpInPlace(Fog.StartDistance, OtherFog.StartDistance, T);
	LerpInPlace(Fog.CutOffDistance, OtherFog.CutOffDistance, T);
	LerpInPlace(Fog.FogInscatteringColor, OtherFog.FogInscatteringColor, T);
	LerpInPlace(Fog.VolumetricScatteringDistribution, OtherFog.VolumetricScatteringDistribution, T);
	LerpInPlace(Fog.VolumetricEmissiveColor, OtherFog.VolumetricEmissiveColor, T);
	LerpInPlace(Fog.VolumetricViewDistance, OtherFog.VolumetricViewDistance, T);
	LerpInPlace(Fog.VolumetricExtinctionScale, OtherFog.VolumetricExtinctionScale, T);
	LerpAlbedoInPlace(Fog.VolumetricAlbedo, OtherFog.VolumetricAlbedo, T);

	FLM_SkyLightDynamicSettings& SkyLight = SkyLightSetting;
	const FLM_SkyLightDynamicSettings& OtherSkyLight = Other.SkyLightSetting;
	LerpInPlace(SkyLight.IntensityScale, OtherSkyLight.IntensityScale, T);
	LerpInPlace(SkyLight.IndirectLightIntensity, OtherSkyLight.IndirectLightIntensity, T);
	LerpInPlace(SkyLight.VolumetricScatteringIntensity, OtherSkyLight.VolumetricScatteringIntensity, T);
	LerpInPlace(SkyLight.LightColor, OtherSkyLight.LightColor, T);
	LerpInPlace(SkyLight.LowerHemisphereColor, OtherSkyLight.LowerHemisphereColor, T);

	FLM_MaterialParameterEntries& Entries = PostProcessMaterialSettings.ParameterEntries;
	const FLM_MaterialParameterEntries& OtherEntries = Other.PostProcessMaterialSettings.ParameterEntries;
	LerpEntriesInPlace(Entries.ScalarParameterEntries, OtherEntries.ScalarParameterEntries, T);
	LerpEntriesInPlace(Entries.VectorParameterEntries, OtherEntries.VectorParameterEntries, T);

	if (T > 0.5f)
	{
		Name = Other.Name;
	}
}
