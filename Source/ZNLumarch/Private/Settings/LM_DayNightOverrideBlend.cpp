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
	 * from the list would hold. For a handful of entries a search beats any index.
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

	/** Past this many entries in the other look, its names are indexed rather than searched for each entry. */
	constexpr int32 MaxEntriesToSearch = 16;

	/**
	 * Open-addressed index from an entry list's names to the place of the last entry of each name. It
	 * keeps its slots between blends, so indexing the same looks every frame allocates nothing.
	 */
	class FEntryNameIndex
	{
	public:
		template <typename EntryType>
		void Build(const TArray<EntryType>& Entries)
		{
			int32 NumSlots = 2 * MaxEntriesToSearch;
			while (NumSlots < 2 * Entries.Num())
			{
				NumSlots *= 2;
			}
			Slots.Init(INDEX_NONE, NumSlots);
			Mask = static_cast<uint32>(NumSlots - 1);
			for (int32 Index = 0; Index < Entries.Num(); ++Index)
			{
				// A later entry of a name takes the slot of the earlier one.
				Slots[SlotOf(Entries, Entries[Index].Name)] = Index;
			}
		}

		template <typename EntryType>
		const decltype(EntryType::Value)* Find(const TArray<EntryType>& Entries, const FName Name) const
		{
			const int32 Index = Slots[SlotOf(Entries, Name)];
			return Index == INDEX_NONE ? nullptr : &Entries[Index].Value;
		}

	private:
		/** The slot holding Name, or the empty slot where it would go. */
		template <typename EntryType>
		int32 SlotOf(const TArray<EntryType>& Entries, const FName Name) const
		{
			// Name hashes are table indices, often consecutive: spread them before masking.
			uint32 Slot = ((GetTypeHash(Name) * 2654435761u) >> 7) & Mask;
			while (Slots[Slot] != INDEX_NONE && !(Entries[Slots[Slot]].Name == Name))
			{
				Slot = (Slot + 1) & Mask;
			}
			return static_cast<int32>(Slot);
		}

		TArray<int32> Slots;
		uint32 Mask = 0;
	};

	template <typename EntryType>
	void LerpEntriesInPlace(TArray<EntryType>& A, const TArray<EntryType>& B, const float T)
	{
		if (B.Num() <= MaxEntriesToSearch)
		{
			for (EntryType& Entry : A)
			{
				if (const auto* Other = FindEntryValue(B, Entry.Name))
				{
					LerpInPlace(Entry.Value, *Other, T);
				}
			}
			return;
		}

		// Blends run on the game thread, one at a time; an index per thread is reused by every blend.
		static thread_local FEntryNameIndex Index;
		Index.Build(B);
		for (EntryType& Entry : A)
		{
			if (const auto* Other = Index.Find(B, Entry.Name))
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
