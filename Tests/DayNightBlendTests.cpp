// Blending two looks: the arithmetic the director runs every frame between dawn/dusk and day or night.
#include "CoreMinimal.h"
#include "Settings/LM_Settings.h"
#include <gtest/gtest.h>

namespace
{
	FLM_ScalarMaterialParamaterEntry Scalar(const TCHAR* Name, float Value)
	{
		FLM_ScalarMaterialParamaterEntry Entry;
		Entry.Name = Name;
		Entry.Value = Value;
		return Entry;
	}

	/** Dawn/dusk and a second look that differ in every blended value. */
	struct FLooks
	{
		FLM_DayNightOverride A{FName(TEXT("DawnDusk"))};
		FLM_DayNightOverride B{FName(TEXT("Day"))};

		FLooks()
		{
			A.PostProcessSettings.MinEV100 = -2.f;
			B.PostProcessSettings.MinEV100 = 6.f;
			A.PostProcessSettings.Temperature = 4000.f;
			B.PostProcessSettings.Temperature = 8000.f;
			A.SkyAtmosphereSettings.RayleighScattering = FLinearColor(0.f, 0.2f, 0.4f, 1.f);
			B.SkyAtmosphereSettings.RayleighScattering = FLinearColor(0.4f, 0.6f, 0.8f, 0.f);
			A.SkyAtmosphereSettings.HeightFogContribution = 0.f;
			B.SkyAtmosphereSettings.HeightFogContribution = 2.f;
			A.FogSettings.Density = 0.1f;
			B.FogSettings.Density = 0.02f;
			A.FogSettings.ScatteringDistribution = 0.f;
			B.FogSettings.ScatteringDistribution = 0.8f;
			A.FogSettings.VolumetricViewDistance = 1000.f;
			B.FogSettings.VolumetricViewDistance = 5000.f;
			A.SkyLightSetting.IntensityScale = 0.5f;
			B.SkyLightSetting.IntensityScale = 2.5f;
			A.SkyLightSetting.LowerHemisphereColor = FLinearColor(0.f, 0.f, 0.f, 1.f);
			B.SkyLightSetting.LowerHemisphereColor = FLinearColor(1.f, 0.5f, 0.25f, 1.f);
			A.FogSettings.bOverride_Density = false;
			B.FogSettings.bOverride_Density = true;

			FLM_MaterialParameterEntries& EntriesA = A.PostProcessMaterialSettings.ParameterEntries;
			FLM_MaterialParameterEntries& EntriesB = B.PostProcessMaterialSettings.ParameterEntries;
			EntriesA.ScalarParameterEntries = {Scalar(TEXT("Grain"), 0.f), Scalar(TEXT("Vignette"), 1.f)};
			EntriesB.ScalarParameterEntries = {Scalar(TEXT("Vignette"), 3.f), Scalar(TEXT("Bloom"), 9.f)};
			EntriesA.ScalarParametersToReset.Add(TEXT("Sharpen"));
		}
	};

	struct FBlendRow
	{
		float T;
		const char* ExpectedName;
	};

	void PrintTo(const FBlendRow& Row, std::ostream* Out) { *Out << "T=" << Row.T; }

	class DayNightBlend : public ::testing::TestWithParam<FBlendRow>
	{
	};
}

// Every blended value moves the same fraction of the way; the name follows the nearer look, the first at exactly half.
TEST_P(DayNightBlend, ValuesMoveTheFractionAndTheNameFollowsTheNearerLook)
{
	const float T = GetParam().T;
	FLooks Looks;
	FLM_DayNightOverride Result = Looks.A;
	Result.Lerp(Looks.B, T);
	auto Expected = [T](float From, float To) { return From + (To - From) * T; };

	EXPECT_FLOAT_EQ(Result.PostProcessSettings.MinEV100, Expected(-2.f, 6.f));
	EXPECT_FLOAT_EQ(Result.PostProcessSettings.Temperature, Expected(4000.f, 8000.f));
	EXPECT_FLOAT_EQ(Result.SkyAtmosphereSettings.RayleighScattering.R, Expected(0.f, 0.4f));
	EXPECT_FLOAT_EQ(Result.SkyAtmosphereSettings.RayleighScattering.A, Expected(1.f, 0.f));
	EXPECT_FLOAT_EQ(Result.SkyAtmosphereSettings.HeightFogContribution, Expected(0.f, 2.f));
	EXPECT_FLOAT_EQ(Result.FogSettings.Density, Expected(0.1f, 0.02f));
	EXPECT_FLOAT_EQ(Result.FogSettings.ScatteringDistribution, Expected(0.f, 0.8f)) << "blended although nothing applies it";
	EXPECT_FLOAT_EQ(Result.FogSettings.VolumetricViewDistance, Expected(1000.f, 5000.f));
	EXPECT_FLOAT_EQ(Result.SkyLightSetting.IntensityScale, Expected(0.5f, 2.5f));
	EXPECT_FLOAT_EQ(Result.SkyLightSetting.LowerHemisphereColor.G, Expected(0.f, 0.5f));
	EXPECT_EQ(Result.Name, FName(UTF8_TO_TCHAR(GetParam().ExpectedName)));
	EXPECT_FALSE(Result.FogSettings.bOverride_Density) << "toggles stay the first look's";
}

INSTANTIATE_TEST_SUITE_P(Fractions, DayNightBlend, ::testing::Values(
	FBlendRow{0.f, "DawnDusk"},
	FBlendRow{0.25f, "DawnDusk"},
	FBlendRow{0.5f, "DawnDusk"},
	FBlendRow{0.75f, "Day"},
	FBlendRow{1.f, "Day"},
	FBlendRow{1.5f, "Day"}));

// Material entries blend only by matching name: the first look's list, order and reset sets are kept.
TEST(DayNightBlendEntries, OnlyMatchingNamesBlend)
{
	FLooks Looks;
	FLM_DayNightOverride Result = Looks.A;
	Result.Lerp(Looks.B, 1.f);
	const FLM_MaterialParameterEntries& Entries = Result.PostProcessMaterialSettings.ParameterEntries;
	ASSERT_EQ(Entries.ScalarParameterEntries.Num(), 2) << "an entry only in the other look is not added";
	EXPECT_EQ(Entries.ScalarParameterEntries[0].Name, FName(TEXT("Grain")));
	EXPECT_FLOAT_EQ(Entries.ScalarParameterEntries[0].Value, 0.f) << "no counterpart, no change";
	EXPECT_FLOAT_EQ(Entries.ScalarParameterEntries[1].Value, 3.f);
	EXPECT_TRUE(Entries.ScalarParametersToReset.Contains(TEXT("Sharpen")));
}

namespace
{
	class DayNightBlendEntryCount : public ::testing::TestWithParam<int32>
	{
	};
}

// Long entry lists are matched through an index rather than a search; the result must be what a name-to-value map of the other look gives.
TEST_P(DayNightBlendEntryCount, MatchesANameToValueMapOfTheOtherLook)
{
	const int32 Count = GetParam();
	FLM_DayNightOverride A{FName(TEXT("DawnDusk"))};
	FLM_DayNightOverride B{FName(TEXT("Day"))};
	TArray<FLM_ScalarMaterialParamaterEntry>& ScalarsA = A.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries;
	TArray<FLM_ScalarMaterialParamaterEntry>& ScalarsB = B.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries;
	TArray<FLM_VectorMaterialParameterEntry>& VectorsA = A.PostProcessMaterialSettings.ParameterEntries.VectorParameterEntries;
	TArray<FLM_VectorMaterialParameterEntry>& VectorsB = B.PostProcessMaterialSettings.ParameterEntries.VectorParameterEntries;
	for (int32 Index = 0; Index < Count; ++Index)
	{
		// A in a scrambled order; B holds every other name of A, some twice (the later wins), names
		// A lacks, and names that differ from A's only in case (the same name).
		const int32 Scrambled = (Index * 7 + 3) % Count;
		ScalarsA.Add(Scalar(*FString::Printf(TEXT("Param%d"), Scrambled), static_cast<float>(Scrambled)));
		FLM_VectorMaterialParameterEntry VectorEntry;
		VectorEntry.Name = FName(*FString::Printf(TEXT("Colour%d"), Scrambled));
		VectorEntry.Value = FLinearColor(static_cast<float>(Scrambled), 0.f, 1.f, 1.f);
		VectorsA.Add(VectorEntry);
		if (Index % 2 == 0)
		{
			const TCHAR* const Format = Index % 4 == 0 ? TEXT("PARAM%d") : TEXT("Param%d");
			ScalarsB.Add(Scalar(*FString::Printf(Format, Index), 100.f + static_cast<float>(Index)));
			VectorEntry.Name = FName(*FString::Printf(TEXT("Colour%d"), Index));
			VectorEntry.Value = FLinearColor(0.f, static_cast<float>(Index), 0.f, 0.f);
			VectorsB.Add(VectorEntry);
		}
		if (Index % 3 == 0)
		{
			ScalarsB.Add(Scalar(*FString::Printf(TEXT("Other%d"), Index), -1.f));
		}
	}
	for (int32 Index = 0; Index < Count; Index += 6)
	{
		ScalarsB.Add(Scalar(*FString::Printf(TEXT("Param%d"), Index), 500.f));
	}

	TMap<FName, float> ScalarMap;
	for (const FLM_ScalarMaterialParamaterEntry& Entry : ScalarsB)
	{
		ScalarMap.Add(Entry.Name, Entry.Value);
	}
	TMap<FName, FLinearColor> VectorMap;
	for (const FLM_VectorMaterialParameterEntry& Entry : VectorsB)
	{
		VectorMap.Add(Entry.Name, Entry.Value);
	}

	const float T = 0.25f;
	FLM_DayNightOverride Result = A;
	Result.Lerp(B, T);

	const TArray<FLM_ScalarMaterialParamaterEntry>& Scalars = Result.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries;
	ASSERT_EQ(Scalars.Num(), Count);
	int32 Blended = 0;
	for (int32 Index = 0; Index < Count; ++Index)
	{
		EXPECT_EQ(Scalars[Index].Name, ScalarsA[Index].Name) << "the first look's order is kept";
		const float* Other = ScalarMap.Find(ScalarsA[Index].Name);
		const float Expected = Other ? ScalarsA[Index].Value + (*Other - ScalarsA[Index].Value) * T : ScalarsA[Index].Value;
		Blended += Other ? 1 : 0;
		EXPECT_EQ(Scalars[Index].Value, Expected) << "entry " << Index;
	}
	EXPECT_EQ(Blended, (Count + 1) / 2);

	const TArray<FLM_VectorMaterialParameterEntry>& Vectors = Result.PostProcessMaterialSettings.ParameterEntries.VectorParameterEntries;
	ASSERT_EQ(Vectors.Num(), Count);
	for (int32 Index = 0; Index < Count; ++Index)
	{
		const FLinearColor Start = VectorsA[Index].Value;
		const FLinearColor* Other = VectorMap.Find(VectorsA[Index].Name);
		const FLinearColor Expected = Other ? FLinearColor(Start.R + (Other->R - Start.R) * T, Start.G + (Other->G - Start.G) * T,
			Start.B + (Other->B - Start.B) * T, Start.A + (Other->A - Start.A) * T) : Start;
		EXPECT_EQ(Vectors[Index].Value, Expected) << "entry " << Index;
	}
}

INSTANTIATE_TEST_SUITE_P(Sizes, DayNightBlendEntryCount, testing::Values(1, 5, 16, 17, 40, 300),
	[](const testing::TestParamInfo<int32>& Info) { return "Entries" + std::to_string(Info.param); });

// Albedos come out on the 8-bit sRGB grid, so white stays exactly white and any blend survives a round trip.
TEST(DayNightBlendAlbedo, AlbedosAreQuantisedToEightBitSRGB)
{
	FLM_DayNightOverride White;
	FLM_DayNightOverride OtherWhite;
	White.SkyAtmosphereSettings.GroundAlbedo = FLinearColor(1.f, 1.f, 1.f, 1.f);
	OtherWhite.SkyAtmosphereSettings.GroundAlbedo = FLinearColor(1.f, 1.f, 1.f, 1.f);
	White.Lerp(OtherWhite, 0.37f);
	EXPECT_EQ(White.SkyAtmosphereSettings.GroundAlbedo, FLinearColor(1.f, 1.f, 1.f, 1.f));

	FLM_DayNightOverride Warm;
	FLM_DayNightOverride Cold;
	Warm.FogSettings.VolumetricAlbedo = FLinearColor(0.9f, 0.4f, 0.1f, 1.f);
	Cold.FogSettings.VolumetricAlbedo = FLinearColor(0.1f, 0.3f, 0.8f, 0.5f);
	Warm.Lerp(Cold, 0.3f);
	const FLinearColor Blended = Warm.FogSettings.VolumetricAlbedo;
	EXPECT_EQ(FLinearColor(Blended.ToFColorSRGB()), Blended) << "already on the grid";
	const FLinearColor Unquantised = FLinearColor::LerpUsingHSV(FLinearColor(0.9f, 0.4f, 0.1f, 1.f), FLinearColor(0.1f, 0.3f, 0.8f, 0.5f), 0.3f);
	EXPECT_EQ(Blended, FLinearColor(Unquantised.ToFColorSRGB())) << "the HSV blend, then 8-bit sRGB";
}
