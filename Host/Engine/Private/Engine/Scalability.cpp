// The current scalability state lives in the sg.* console variables, as in the engine, so console
// edits and SetQualityLevels see the same values; SetQualityLevels is the only path that broadcasts.
#include "Scalability.h"
#include "HAL/IConsoleManager.h"
#include "Math/UnrealMathUtility.h"

namespace Scalability
{
	FOnScalabilitySettingsChanged OnScalabilitySettingsChanged;

	namespace
	{
		constexpr int32 NumQualityLevels = 5;
		// Unconfirmed: the engine's resolution-quality bounds; 0 means "use the default screen percentage".
		constexpr float MinResolutionScale = 0.0f;
		constexpr float MaxResolutionScale = 100.0f;

		TAutoConsoleVariable<float> CVarResolutionQuality(TEXT("sg.ResolutionQuality"), 0.0f,
			TEXT("Scalability quality state (internally used by scalability system, ini load/save or using SCALABILITY console command)\n 0..100, 0: default screen percentage"),
			ECVF_ScalabilityGroup);

#define ZN_SCALABILITY_GROUP_CVAR(Name) \
		TAutoConsoleVariable<int32> CVar##Name(TEXT("sg." #Name), 3, \
			TEXT("Scalability quality state (internally used by scalability system, ini load/save or using SCALABILITY console command)\n 0:low, 1:med, 2:high, 3:epic, 4:cinematic, default: 3"), \
			ECVF_ScalabilityGroup);

		ZN_SCALABILITY_GROUP_CVAR(ViewDistanceQuality)
		ZN_SCALABILITY_GROUP_CVAR(AntiAliasingQuality)
		ZN_SCALABILITY_GROUP_CVAR(ShadowQuality)
		ZN_SCALABILITY_GROUP_CVAR(GlobalIlluminationQuality)
		ZN_SCALABILITY_GROUP_CVAR(ReflectionQuality)
		ZN_SCALABILITY_GROUP_CVAR(PostProcessQuality)
		ZN_SCALABILITY_GROUP_CVAR(TextureQuality)
		ZN_SCALABILITY_GROUP_CVAR(EffectsQuality)
		ZN_SCALABILITY_GROUP_CVAR(FoliageQuality)
		ZN_SCALABILITY_GROUP_CVAR(ShadingQuality)
		ZN_SCALABILITY_GROUP_CVAR(LandscapeQuality)
#undef ZN_SCALABILITY_GROUP_CVAR

		// Benchmark results are not console variables; the engine keeps them beside the state.
		float GCPUBenchmarkResults = -1.0f;
		float GGPUBenchmarkResults = -1.0f;
		TArray<float> GCPUBenchmarkSteps;
		TArray<float> GGPUBenchmarkSteps;

		int32 ClampLevel(int32 Value)
		{
			return FMath::Clamp(Value, 0, NumQualityLevels - 1);
		}
	}

	FQualityLevels::FQualityLevels(bool bSetDefaults)
		: ResolutionQuality(0.0f)
		, ViewDistanceQuality(0)
		, AntiAliasingQuality(0)
		, ShadowQuality(0)
		, GlobalIlluminationQuality(0)
		, ReflectionQuality(0)
		, PostProcessQuality(0)
		, TextureQuality(0)
		, EffectsQuality(0)
		, FoliageQuality(0)
		, ShadingQuality(0)
		, LandscapeQuality(0)
		, CPUBenchmarkResults(-1.0f)
		, GPUBenchmarkResults(-1.0f)
	{
		if (bSetDefaults)
		{
			SetDefaults();
		}
	}

	bool FQualityLevels::operator==(const FQualityLevels& Other) const
	{
		return ResolutionQuality == Other.ResolutionQuality && ViewDistanceQuality == Other.ViewDistanceQuality
			&& AntiAliasingQuality == Other.AntiAliasingQuality && ShadowQuality == Other.ShadowQuality
			&& GlobalIlluminationQuality == Other.GlobalIlluminationQuality && ReflectionQuality == Other.ReflectionQuality
			&& PostProcessQuality == Other.PostProcessQuality && TextureQuality == Other.TextureQuality
			&& EffectsQuality == Other.EffectsQuality && FoliageQuality == Other.FoliageQuality
			&& ShadingQuality == Other.ShadingQuality && LandscapeQuality == Other.LandscapeQuality;
	}

	void FQualityLevels::SetDefaults()
	{
		ResolutionQuality = 0.0f;
		SetFromSingleQualityLevel(NumQualityLevels - 2);
	}

	void FQualityLevels::SetFromSingleQualityLevel(int32 Value)
	{
		SetViewDistanceQuality(Value);
		SetAntiAliasingQuality(Value);
		SetShadowQuality(Value);
		SetGlobalIlluminationQuality(Value);
		SetReflectionQuality(Value);
		SetPostProcessQuality(Value);
		SetTextureQuality(Value);
		SetEffectsQuality(Value);
		SetFoliageQuality(Value);
		SetShadingQuality(Value);
		SetLandscapeQuality(Value);
	}

	int32 FQualityLevels::GetSingleQualityLevel() const
	{
		const int32 Target = ViewDistanceQuality;
		const int32 All[] = {AntiAliasingQuality, ShadowQuality, GlobalIlluminationQuality, ReflectionQuality, PostProcessQuality,
			TextureQuality, EffectsQuality, FoliageQuality, ShadingQuality, LandscapeQuality};
		for (int32 Level : All)
		{
			if (Level != Target)
			{
				return -1;
			}
		}
		return Target;
	}

	int32 FQualityLevels::GetMinQualityLevel() const
	{
		int32 Min = ViewDistanceQuality;
		for (int32 Level : {AntiAliasingQuality, ShadowQuality, GlobalIlluminationQuality, ReflectionQuality, PostProcessQuality,
				 TextureQuality, EffectsQuality, FoliageQuality, ShadingQuality, LandscapeQuality})
		{
			Min = FMath::Min(Min, Level);
		}
		return Min;
	}

	void FQualityLevels::SetViewDistanceQuality(int32 Value) { ViewDistanceQuality = ClampLevel(Value); }
	void FQualityLevels::SetAntiAliasingQuality(int32 Value) { AntiAliasingQuality = ClampLevel(Value); }
	void FQualityLevels::SetShadowQuality(int32 Value) { ShadowQuality = ClampLevel(Value); }
	void FQualityLevels::SetGlobalIlluminationQuality(int32 Value) { GlobalIlluminationQuality = ClampLevel(Value); }
	void FQualityLevels::SetReflectionQuality(int32 Value) { ReflectionQuality = ClampLevel(Value); }
	void FQualityLevels::SetPostProcessQuality(int32 Value) { PostProcessQuality = ClampLevel(Value); }
	void FQualityLevels::SetTextureQuality(int32 Value) { TextureQuality = ClampLevel(Value); }
	void FQualityLevels::SetEffectsQuality(int32 Value) { EffectsQuality = ClampLevel(Value); }
	void FQualityLevels::SetFoliageQuality(int32 Value) { FoliageQuality = ClampLevel(Value); }
	void FQualityLevels::SetShadingQuality(int32 Value) { ShadingQuality = ClampLevel(Value); }
	void FQualityLevels::SetLandscapeQuality(int32 Value) { LandscapeQuality = ClampLevel(Value); }

	int32 GetNumQualityLevels()
	{
		return NumQualityLevels;
	}

	void SetQualityLevels(const FQualityLevels& QualityLevels, bool bForce)
	{
		FQualityLevels ClampedLevels(false);
		ClampedLevels.ResolutionQuality = FMath::Clamp(QualityLevels.ResolutionQuality, MinResolutionScale, MaxResolutionScale);
		ClampedLevels.SetViewDistanceQuality(QualityLevels.ViewDistanceQuality);
		ClampedLevels.SetAntiAliasingQuality(QualityLevels.AntiAliasingQuality);
		ClampedLevels.SetShadowQuality(QualityLevels.ShadowQuality);
		ClampedLevels.SetGlobalIlluminationQuality(QualityLevels.GlobalIlluminationQuality);
		ClampedLevels.SetReflectionQuality(QualityLevels.ReflectionQuality);
		ClampedLevels.SetPostProcessQuality(QualityLevels.PostProcessQuality);
		ClampedLevels.SetTextureQuality(QualityLevels.TextureQuality);
		ClampedLevels.SetEffectsQuality(QualityLevels.EffectsQuality);
		ClampedLevels.SetFoliageQuality(QualityLevels.FoliageQuality);
		ClampedLevels.SetShadingQuality(QualityLevels.ShadingQuality);
		ClampedLevels.SetLandscapeQuality(QualityLevels.LandscapeQuality);
		ClampedLevels.CPUBenchmarkResults = QualityLevels.CPUBenchmarkResults;
		ClampedLevels.GPUBenchmarkResults = QualityLevels.GPUBenchmarkResults;
		ClampedLevels.CPUBenchmarkSteps = QualityLevels.CPUBenchmarkSteps;
		ClampedLevels.GPUBenchmarkSteps = QualityLevels.GPUBenchmarkSteps;

		if (GetQualityLevels() != ClampedLevels || bForce)
		{
			CVarResolutionQuality->Set(ClampedLevels.ResolutionQuality, ECVF_SetByScalability);
			CVarViewDistanceQuality->Set(ClampedLevels.ViewDistanceQuality, ECVF_SetByScalability);
			CVarAntiAliasingQuality->Set(ClampedLevels.AntiAliasingQuality, ECVF_SetByScalability);
			CVarShadowQuality->Set(ClampedLevels.ShadowQuality, ECVF_SetByScalability);
			CVarGlobalIlluminationQuality->Set(ClampedLevels.GlobalIlluminationQuality, ECVF_SetByScalability);
			CVarReflectionQuality->Set(ClampedLevels.ReflectionQuality, ECVF_SetByScalability);
			CVarPostProcessQuality->Set(ClampedLevels.PostProcessQuality, ECVF_SetByScalability);
			CVarTextureQuality->Set(ClampedLevels.TextureQuality, ECVF_SetByScalability);
			CVarEffectsQuality->Set(ClampedLevels.EffectsQuality, ECVF_SetByScalability);
			CVarFoliageQuality->Set(ClampedLevels.FoliageQuality, ECVF_SetByScalability);
			CVarShadingQuality->Set(ClampedLevels.ShadingQuality, ECVF_SetByScalability);
			CVarLandscapeQuality->Set(ClampedLevels.LandscapeQuality, ECVF_SetByScalability);
			GCPUBenchmarkResults = ClampedLevels.CPUBenchmarkResults;
			GGPUBenchmarkResults = ClampedLevels.GPUBenchmarkResults;
			GCPUBenchmarkSteps = ClampedLevels.CPUBenchmarkSteps;
			GGPUBenchmarkSteps = ClampedLevels.GPUBenchmarkSteps;

			OnScalabilitySettingsChanged.Broadcast(ClampedLevels);
		}
	}

	FQualityLevels GetQualityLevels()
	{
		FQualityLevels Ret(false);
		Ret.ResolutionQuality = CVarResolutionQuality.GetValueOnGameThread();
		Ret.ViewDistanceQuality = CVarViewDistanceQuality.GetValueOnGameThread();
		Ret.AntiAliasingQuality = CVarAntiAliasingQuality.GetValueOnGameThread();
		Ret.ShadowQuality = CVarShadowQuality.GetValueOnGameThread();
		Ret.GlobalIlluminationQuality = CVarGlobalIlluminationQuality.GetValueOnGameThread();
		Ret.ReflectionQuality = CVarReflectionQuality.GetValueOnGameThread();
		Ret.PostProcessQuality = CVarPostProcessQuality.GetValueOnGameThread();
		Ret.TextureQuality = CVarTextureQuality.GetValueOnGameThread();
		Ret.EffectsQuality = CVarEffectsQuality.GetValueOnGameThread();
		Ret.FoliageQuality = CVarFoliageQuality.GetValueOnGameThread();
		Ret.ShadingQuality = CVarShadingQuality.GetValueOnGameThread();
		Ret.LandscapeQuality = CVarLandscapeQuality.GetValueOnGameThread();
		Ret.CPUBenchmarkResults = GCPUBenchmarkResults;
		Ret.GPUBenchmarkResults = GGPUBenchmarkResults;
		Ret.CPUBenchmarkSteps = GCPUBenchmarkSteps;
		Ret.GPUBenchmarkSteps = GGPUBenchmarkSteps;
		return Ret;
	}
}
