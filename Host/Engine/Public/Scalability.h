// Engine scalability: the quality level of each settings group (sg.* console variables).
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"

namespace Scalability
{
	/**
	 * Structure for redundant information of the scalability console variables. Levels are 0 Low,
	 * 1 Medium, 2 High, 3 Epic, 4 Cinematic.
	 *
	 * Host departures: every group has the engine's default five levels (no per-group NumLevels from
	 * ini files), there is no benchmark and no ini load or save.
	 */
	struct ENGINE_API FQualityLevels
	{
		float ResolutionQuality;
		int32 ViewDistanceQuality;
		int32 AntiAliasingQuality;
		int32 ShadowQuality;
		int32 GlobalIlluminationQuality;
		int32 ReflectionQuality;
		int32 PostProcessQuality;
		int32 TextureQuality;
		int32 EffectsQuality;
		int32 FoliageQuality;
		int32 ShadingQuality;
		int32 LandscapeQuality;

		float CPUBenchmarkResults;
		float GPUBenchmarkResults;
		TArray<float> CPUBenchmarkSteps;
		TArray<float> GPUBenchmarkSteps;

		FQualityLevels(bool bSetDefaults = true);

		/** Compares the resolution quality and every group level (not the benchmark results). */
		bool operator==(const FQualityLevels& Other) const;
		bool operator!=(const FQualityLevels& Other) const { return !(*this == Other); }

		/** Every group at Epic (NumLevels - 2), resolution quality 0. */
		void SetDefaults();
		/** Sets every group to one level (clamped). */
		void SetFromSingleQualityLevel(int32 Value);
		/** The shared level when all groups agree, else -1. */
		int32 GetSingleQualityLevel() const;
		/** The lowest level of any group. */
		int32 GetMinQualityLevel() const;

		// Each clamps to 0 .. NumLevels - 1.
		void SetViewDistanceQuality(int32 Value);
		void SetAntiAliasingQuality(int32 Value);
		void SetShadowQuality(int32 Value);
		void SetGlobalIlluminationQuality(int32 Value);
		void SetReflectionQuality(int32 Value);
		void SetPostProcessQuality(int32 Value);
		void SetTextureQuality(int32 Value);
		void SetEffectsQuality(int32 Value);
		void SetFoliageQuality(int32 Value);
		void SetShadingQuality(int32 Value);
		void SetLandscapeQuality(int32 Value);
	};

	/** This is the only suggested way to set the current state - don't set CVars directly. */
	DECLARE_MULTICAST_DELEGATE_OneParam(FOnScalabilitySettingsChanged, const Scalability::FQualityLevels&);
	ENGINE_API extern FOnScalabilitySettingsChanged OnScalabilitySettingsChanged;

	/**
	 * Clamps the levels, and when they differ from the current ones (or bForce) writes the sg.* console
	 * variables (priority ECVF_SetByScalability) and broadcasts OnScalabilitySettingsChanged.
	 */
	ENGINE_API void SetQualityLevels(const FQualityLevels& QualityLevels, bool bForce = false);

	/** The current state, read from the sg.* console variables. */
	ENGINE_API FQualityLevels GetQualityLevels();

	/** Number of levels of each group (5: Low .. Cinematic). */
	ENGINE_API int32 GetNumQualityLevels();
}
