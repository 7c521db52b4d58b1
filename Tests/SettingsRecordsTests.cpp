// The settings records of the presets: their editor and script interface read back through
// reflection, and the material parameter records kept in step with a material and written to its
// dynamic instance.

#include "Settings/LM_Settings.h"
#include "Components/LM_TrackingPostProcessComponent.h"

#include "CoreMinimal.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace
{
	std::string ToStd(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	enum class EAccess
	{
		RW,      // EditAnywhere, BlueprintReadWrite
		RO,      // EditAnywhere, BlueprintReadOnly
		Visible, // VisibleAnywhere, BlueprintReadOnly
		Hidden   // saved only
	};
	using enum EAccess;

	/** One value field. Default is import text; null means its type's own default (sub-records, arrays). */
	struct FFieldRow
	{
		const char* Name;
		const char* Default;
		const char* Category; // null: grouped under the record
		EAccess Access;
		const char* Meta;     // "Key=Value;Key" beyond Category and the value's own toggle
	};

	/** A record: its tooltip, its override toggles in bit order, then its values in declared order. */
	struct FRecord
	{
		UScriptStruct* (*Struct)();
		const char* ToolTip;
		std::vector<const char*> Toggles;
		std::vector<FFieldRow> Fields;
		const char* ToggleOnByDefault = nullptr;
	};

	std::ostream& operator<<(std::ostream& Stream, const FRecord& Record)
	{
		return Stream << ToStd(Record.Struct()->GetName());
	}

	constexpr const char* White = "(R=1,G=1,B=1,A=1)";
	constexpr const char* Black = "(R=0,G=0,B=0,A=1)";
	constexpr const char* First = "ToolTip=Properties";
	constexpr const char* GIMultiplier = "ToolTip=Applied when GI is med or below";
	constexpr const char* Title = "TitleProperty=Name";

	// clang-format off
	const FRecord Records[] = {
		{&FLM_DirectionalLightSettings::StaticStruct, "Directional Light static settings", {}, {
			{"Intensity", "20", nullptr, RW, ""},
			{"LightSourceAngle", "2", nullptr, RW, ""},
			{"DistanceFieldShadowDistance", "51200", "Distance Field Shadows", RW, ""},
			{"DisableShadowsBelowHorizon", "True", "Light|Shadows", RW, ""},
			{"ShadowDisableAltitudeDeg", "-2", "Light|Shadows", RW, "ClampMin=-90;ClampMax=90;EditCondition=DisableShadowsBelowHorizon;EditConditionHides"},
			{"IndirectLightingIntensity", "1", nullptr, RW, ""},
			{"VolumetricScatteringIntensity", "0.01", nullptr, RW, ""},
			{"LightColor", White, nullptr, RW, ""},
			{"AtmosphereSunLight", "True", "Atmosphere and Cloud", RW, ""},
			{"RayTracedShadows", "False", "Shadows", RW, ""},
			{"UseTemperature", "True", "Temperature", RW, ""},
			{"Temperature", "6500", "Temperature", RW, "EditCondition=UseTemperature"},
			{"BloomScale", "0.2", "Light Shafts", RW, ""},
			{"LightShaftOcclusion", "False", "Light Shafts", RW, ""},
			{"OcclusionMaskDarkness", "0.05", "Light Shafts", RW, "EditCondition=LightShaftOcclusion"},
			{"OcclusionDepthRange", "1000000", "Light Shafts", RW, "EditCondition=LightShaftOcclusion"},
			{"BloomShaft", "False", "Light Shafts", RW, ""}}},
		{&FLM_ExponentialFogSettings::StaticStruct, "Exponential Fog (static settings)", {}, {
			{"HeightQueryInterval", "1", nullptr, RW, ""},
			{"HeightOffset", "0", nullptr, RW, "ClampMin=-10000;ClampMax=10000;UIMin=-10000;UIMax=10000"},
			{"HeightClampZ", "-2000", nullptr, RW, ""},
			{"SkyAtmosphereAmbientContributionColorScale", White, nullptr, RW, ""},
			{"VolumetricNearFadeInDistance", "0", "Volumetric Fog", RW, ""},
			{"VolumetricStartDistance", "0", "Volumetric Fog", RW, ""},
			{"InscatteringColorCubemap", "None", nullptr, RW, ""}}},
		{&FLM_SkyAtmosphereSettings::StaticStruct, nullptr, {}, {
			{"AerialPerspectiveStartDepth", "0.1", "Sky Atmosphere", RW, ""},
			{"AerialPerspectiveViewDistanceScale", "1", "Sky Atmosphere", RW, ""},
			{"AtmosphereHeight", "60", "Sky Atmosphere", RW, ""},
			{"MultiScatteringFactor", "1.5", "Sky Atmosphere", RW, "ClampMin=0;ClampMax=10;UIMin=0;UIMax=2"}}},
		{&FLM_SkylightSettings::StaticStruct, "Sky Light settings", {}, {
			{"CubeMap", "None", "Sky Atmosphere", RW, ""}}},
		{&FLM_SkySettings::StaticStruct, "Sky sphere static settings", {}, {
			{"SkyMaterial", "None", "Sky Sphere", RW, ""},
			{"MaterialParameterCollection", "None", "Sky Sphere", RW, ""},
			{"SkySphereMesh", "None", "Sky Sphere", RO, ""},
			{"SkySphereScale", "(X=1,Y=1,Z=1)", "Sky Sphere", RW, ""}}},
		{&FLM_WorldSettings::StaticStruct, "World-level settings (angles, fractions, etc)", {"bOverride_DayLightFraction"}, {
			{"DayLightFraction", "0.25", "World", RW, "ClampMin=0;ClampMax=1;UIMin=0;UIMax=1"}}},
		{&FLM_ScalibalitySettings::StaticStruct, "Scalability Setings", {}, {
			{"SkyLightMultiplier", "0.1", "Sky Light", RW, GIMultiplier},
			{"FogMultiplier", "0.5", "Fog", RW, GIMultiplier}}},
		{&FLM_PostProcessMaterialSettings::StaticStruct, "ZN-specific post process static settings", {}, {
			{"PostProcessMaterial", "None", nullptr, RW, ""},
			{"MaterialParameterToggles", nullptr, nullptr, RW, ""}}},
		{&FLM_GroundFogSettings::StaticStruct, "Ground fog static settings", {}, {
			{"IsOverride", "False", "Ground Fog", RW, ""},
			{"UseVolumetricGroundFog", "False", "Ground Fog", RW, "EditCondition=IsOverride == false;EditConditionHides"},
			{"VolumetricMaterial", "None", "Ground Fog", RW, "EditCondition=UseVolumetricGroundFog && IsOverride == false;EditConditionHides"},
			{"VolumetricFogScale", "(X=300,Y=300,Z=300)", "Ground Fog", RW, "EditCondition=(UseVolumetricGroundFog && IsOverride == false) || IsOverride;EditConditionHides"}}},
		{&FLM_PostProcessDynamicSettings::StaticStruct, "Generic post process dynamic settings (exposure, temp)",
			{"bOverride_MinEV100", "bOverride_MaxEV100", "bOverride_Temperature"}, {
			{"MinEV100", "-10", "Exposure", RW, First},
			{"MaxEV100", "20", "Exposure", RW, ""},
			{"Temperature", "6500", "Exposure", RW, ""}}},
		{&FLM_SkyAtmosphereDynamicSettings::StaticStruct, "Sky Atmosphere dynamic settings",
			{"bOverride_GroundAlbedo", "bOverride_RayleighScatteringScale", "bOverride_RayleighScattering", "bOverride_GroundRadius",
				"bOverride_MieScatteringScale", "bOverride_MieAbsorptionScale", "bOverride_AbsorptionScale", "bOverride_Absorption",
				"bOverride_SkyLuminanceFactor", "bOverride_SkyAndAerialPerspectiveLuminanceFactor", "bOverride_HeightFogContribution"}, {
			{"GroundAlbedo", Black, "Sky Atmosphere", RW, First},
			{"RayleighScatteringScale", "0.0331", "Sky Atmosphere", RW, ""},
			{"RayleighScattering", "(R=0.175287,G=0.409607,B=1,A=1)", "Sky Atmosphere", RW, ""},
			{"GroundRadius", "6360", "Sky Atmosphere", RW, ""},
			{"MieScatteringScale", "0.0331", "Sky Atmosphere", RW, ""},
			{"MieAbsorptionScale", "0.000444", "Sky Atmosphere", RW, ""},
			{"AbsorptionScale", "0.001881", "Sky Atmosphere", RW, ""},
			{"Absorption", "(R=0.345561,G=1,B=0.045189,A=1)", "Sky Atmosphere", RW, ""},
			{"SkyLuminanceFactor", White, "Sky Atmosphere", RW, ""},
			{"SkyAndAerialPerspectiveLuminanceFactor", White, "Sky Atmosphere", RW, ""},
			{"HeightFogContribution", "1", "Sky Atmosphere", RW, ""}}},
		{&FLM_ExponentialFogDynamicSettings::StaticStruct, "Exponential Fog (dynamic settings)",
			{"bOverride_Density", "bOverride_HeightFalloff", "bOverride_FogMaxOpacity", "bOverride_ScatteringDistribution", "bOverride_StartDistance",
				"bOverride_CutOffDistance", "bOverride_FogInscatteringColor", "bOverride_VolumetricScatteringDistribution", "bOverride_VolumetricAlbedo",
				"bOverride_VolumetricEmissiveColor", "bOverride_VolumetricViewDistance", "bOverride_VolumetricExtinctionScale"}, {
			{"Density", "0.1", nullptr, RW, First},
			{"HeightFalloff", "0.2", nullptr, RW, ""},
			{"FogMaxOpacity", "1", nullptr, RW, ""},
			{"ScatteringDistribution", "0.2", nullptr, RW, ""},
			{"StartDistance", "0", nullptr, RW, ""},
			{"CutOffDistance", "0", nullptr, RW, ""},
			{"FogInscatteringColor", Black, nullptr, RW, ""},
			{"VolumetricScatteringDistribution", "0.2", "Volumetric Fog", RW, ""},
			{"VolumetricAlbedo", White, "Volumetric Fog", RW, ""},
			{"VolumetricEmissiveColor", Black, "Volumetric Fog", RW, ""},
			{"VolumetricViewDistance", "6000", "Volumetric Fog", RW, ""},
			{"VolumetricExtinctionScale", "1", "Volumetric Fog", RW, ""}}},
		{&FLM_SkyLightDynamicSettings::StaticStruct, "Sky Light dynamic settings",
			{"bOverride_IntensityScale", "bOverride_IndirectLightIntensity", "bOverride_VolumetricScatteringIntensity", "bOverride_LightColor",
				"bOverride_LowerHemisphereColor"}, {
			{"IntensityScale", "1", nullptr, RW, First},
			{"IndirectLightIntensity", "1", nullptr, RW, ""},
			{"VolumetricScatteringIntensity", "1", nullptr, RW, ""},
			{"LightColor", White, nullptr, RW, ""},
			{"LowerHemisphereColor", Black, nullptr, RW, ""}}},
		{&FLM_ScalarMaterialParamaterEntry::StaticStruct, nullptr, {}, {{"Name", "None", nullptr, Visible, ""}, {"Value", "0", nullptr, RW, ""}}},
		{&FLM_VectorMaterialParameterEntry::StaticStruct, nullptr, {}, {{"Name", "None", nullptr, Visible, ""}, {"Value", Black, nullptr, RW, ""}}},
		{&FLM_MaterialParameterEntries::StaticStruct, nullptr, {}, {{"ScalarParameterEntries", "()", nullptr, RW, Title}, {"VectorParameterEntries", "()", nullptr, RW, Title}}},
		{&FLM_MaterialParameterToggle::StaticStruct, nullptr, {}, {{"Name", "None", nullptr, Visible, ""}, {"InUse", "False", nullptr, RW, ""}}},
		{&FLM_MaterialParameterToggles::StaticStruct, nullptr, {}, {{"ScalarParameterToggles", "()", nullptr, RW, Title}, {"VectorParameterToggles", "()", nullptr, RW, Title}}},
		{&FLM_PostProcessMaterialDynamicSettings::StaticStruct, "ZN-specific post process dynamic settings", {}, {{"ParameterEntries", nullptr, nullptr, RW, ""}}},
		{&FLM_DayNightOverride::StaticStruct, "Full day/night override data", {}, {
			{"Name", "None", nullptr, Hidden, ""},
			{"PostProcessSettings", nullptr, "Post Process", RW, ""},
			{"PostProcessMaterialSettings", nullptr, "Post Process", RW, ""},
			{"SkyAtmosphereSettings", nullptr, "Sky Atmosphere", RW, ""},
			{"FogSettings", nullptr, "Fog", RW, ""},
			{"SkyLightSetting", nullptr, "Sky Light", RW, ""}}},
		{&FLM_DirectionalLightDynamicSettings::StaticStruct, "Directional Light dynamic settings",
			{"bOverride_IndirectLightingIntensity", "bOverride_VolumetricScatteringIntensity", "bOverride_LightColor", "bOverride_Temperature",
				"bOverride_BloomScale"}, {
			{"IndirectLightingIntensity", "1", nullptr, RW, First},
			{"VolumetricScatteringIntensity", "0.01", nullptr, RW, ""},
			{"LightColor", White, nullptr, RW, ""},
			{"Temperature", "6500", "Temperature", RW, ""},
			{"BloomScale", "0.2", "Light Shafts", RW, ""}}},
		{&FLM_GroundFogSettingsDynamic::StaticStruct, "Ground fog dynamic settings", {}, {
			{"Albedo", White, "Ground Fog", RW, ""},
			{"ExtinctionScale", "0.9", "Ground Fog", RW, ""},
			{"GroundDistance", "175", "Ground Fog", RW, ""}}},
		{&FLM_SkyDynamicSettings::StaticStruct, "Sky sphere dynamic settings", {}, {{"ParameterEntries", nullptr, "Sky Sphere", RW, ""}}},
		{&FLM_PostProcessDepthOfFieldSettings::StaticStruct, "ZN-specific post process dynamic settings",
			{"bOverride_MinSensorWidth", "bOverride_MaxSensorWidth", "bOverride_MinFocalDepth", "bOverride_MaxFocalDepth", "bOverride_TrackingTargetMPC"}, {
			{"MinSensorWidth", "24.576", "DOF", RW, First},
			{"MaxSensorWidth", "24.576", "DOF", RW, ""},
			{"MinFocalDepth", "0", "DOF", RW, ""},
			{"MaxFocalDepth", "0", "DOF", RW, ""},
			{"BlendCurve", "None", "DOF", RO, ""},
			{"DistanceEasingSpeed", "6", "DOF", RO, ""},
			{"UpdateIntervalSeconds", "0.2", "Tracking", RO, "ClampMin=0.01;UIMin=0.01"},
			{"TrackingTargetMPC", "None", "PP", RW, "ToolTip=Material Parameter Collection where we can store tracking target vector"},
			{"TargetPosParameterName", "TrackedTargetLocation", "PP", RW, "EditCondition=bOverride_TrackingTargetMPC"}},
			"bOverride_TrackingTargetMPC"},
	};
	// clang-format on

	/** A record's own default-constructed instance, or one value of a property, made through reflection. */
	class FScratch
	{
	public:
		explicit FScratch(const UScriptStruct* InStruct)
			: Struct(InStruct), Storage(InStruct->GetStructureSize() + 16, 0)
		{
			Struct->InitializeStruct(Get());
		}
		explicit FScratch(const FProperty* InProperty)
			: Property(InProperty), Storage(InProperty->GetSize() + 16, 0)
		{
			Property->InitializeValue(Get());
		}
		~FScratch()
		{
			Struct ? Struct->DestroyStruct(Get()) : Property->DestroyValue(Get());
		}
		void* Get() { return Storage.data(); }

	private:
		const UScriptStruct* Struct = nullptr;
		const FProperty* Property = nullptr;
		std::vector<uint8> Storage;
	};

	void ExpectAccess(const FProperty* Property, const EAccess Access)
	{
		EXPECT_EQ(Property->HasAnyPropertyFlags(CPF_Edit), Access != Hidden);
		EXPECT_EQ(Property->HasAnyPropertyFlags(CPF_EditConst), Access == Visible);
		EXPECT_EQ(Property->HasAnyPropertyFlags(CPF_BlueprintVisible), Access != Hidden);
		EXPECT_EQ(Property->HasAnyPropertyFlags(CPF_BlueprintReadOnly), Access == RO || Access == Visible);
	}

	template<typename FieldType>
	void ExpectToolTip(const FieldType* Field, const char* ToolTip)
	{
		EXPECT_EQ(Field->HasMetaData(TEXT("ToolTip")), ToolTip != nullptr);
		EXPECT_EQ(ToStd(Field->GetMetaData(TEXT("ToolTip"))), ToolTip ? ToolTip : "");
	}

	void ExpectMeta(const FProperty* Property, std::string Meta)
	{
		int32 Count = 0;
		for (size_t Start = 0; Start < Meta.size(); ++Count)
		{
			const size_t End = std::min(Meta.find(';', Start), Meta.size());
			const std::string Item = Meta.substr(Start, End - Start);
			const size_t Equals = std::min(Item.find('='), Item.size());
			const std::string Key = Item.substr(0, Equals);
			const std::string Value = Item.substr(std::min(Equals + 1, Item.size()));
			Start = End + 1;

			ASSERT_TRUE(Property->HasMetaData(FName(Key.c_str()))) << Key;
			if (Key.find("Min") != std::string::npos || Key.find("Max") != std::string::npos)
			{
				EXPECT_FLOAT_EQ(Property->GetFloatMetaData(FName(Key.c_str())), std::stof(Value)) << Key;
			}
			else if (!Value.empty())
			{
				EXPECT_EQ(ToStd(Property->GetMetaData(FName(Key.c_str()))), Value) << Key;
			}
		}
		EXPECT_EQ(Property->GetMetaDataMap()->Num(), Count) << "no metadata beyond " << Meta;
	}
}

// Presets, the Details panel and scripts reach every field by name: its order, access, category, limits,
// edit condition, tooltip and default value are the records' interface.
TEST(SettingsRecords, FieldsMatchTheirTables)
{
	for (const FRecord& Record : Records)
	{
		const UScriptStruct* Struct = Record.Struct();
		SCOPED_TRACE(ToStd(Struct->GetName()));
		EXPECT_TRUE(Struct->HasMetaData(TEXT("BlueprintType")));
		ExpectToolTip(Struct, Record.ToolTip);

		std::vector<std::string> Expected(Record.Toggles.begin(), Record.Toggles.end());
		std::vector<std::string> Actual;
		for (TFieldIterator<FProperty> It(Struct); It; ++It)
		{
			Actual.push_back(ToStd(It->GetName()));
		}
		for (const FFieldRow& Field : Record.Fields)
		{
			Expected.push_back(Field.Name);
		}
		EXPECT_EQ(Actual, Expected) << "declared order";

		FScratch Defaults(Struct);
		for (const FFieldRow& Field : Record.Fields)
		{
			SCOPED_TRACE(Field.Name);
			const FProperty* Property = FindFProperty<FProperty>(Struct, FName(Field.Name));
			ASSERT_NE(Property, nullptr);
			ExpectAccess(Property, Field.Access);

			std::string Meta = Field.Meta;
			const std::string Toggle = std::string("bOverride_") + Field.Name;
			if (FindFProperty<FBoolProperty>(Struct, FName(Toggle.c_str())))
			{
				Meta += (Meta.empty() ? "EditCondition=" : ";EditCondition=") + Toggle;
			}
			if (Field.Category)
			{
				Meta += (Meta.empty() ? "Category=" : ";Category=") + std::string(Field.Category);
			}
			ExpectMeta(Property, Meta);

			FScratch Expected(Property);
			if (Field.Default)
			{
				ASSERT_NE(Property->ImportText_Direct(*FString(Field.Default), Expected.Get(), nullptr, 0), nullptr) << Field.Default;
			}
			FString Text;
			Property->ExportTextItem_Direct(Text, Property->ContainerPtrToValuePtr<void>(Defaults.Get()), nullptr, nullptr, 0);
			EXPECT_TRUE(Property->Identical(Property->ContainerPtrToValuePtr<void>(Defaults.Get()), Expected.Get()))
				<< "default is " << ToStd(Text) << ", expected " << (Field.Default ? Field.Default : "its type's default");
		}
	}
}

// A named override is the preset's day, dusk or night look: the name must be all that sets it apart.
TEST(SettingsRecords, NamedOverrideDiffersOnlyInName)
{
	const FLM_DayNightOverride Unnamed;
	FLM_DayNightOverride Night(FName(TEXT("Night")));
	EXPECT_TRUE(Unnamed.Name.IsNone());
	EXPECT_EQ(Night.Name, FName(TEXT("Night")));
	Night.Name = NAME_None;
	EXPECT_TRUE(FLM_DayNightOverride::StaticStruct()->CompareScriptStruct(&Unnamed, &Night, 0));
}

class SettingsToggleBits : public ::testing::TestWithParam<FRecord>
{
};

// The toggles are one-bit fields packed from bit 0 of the record's first byte; saved presets and the
// editor's inline check boxes rely on each toggle's position, metadata and default.
TEST_P(SettingsToggleBits, PackedInDeclaredOrder)
{
	const FRecord& Record = GetParam();
	FScratch Defaults(Record.Struct());
	for (size_t Index = 0; Index < Record.Toggles.size(); ++Index)
	{
		const char* Name = Record.Toggles[Index];
		SCOPED_TRACE(Name);
		const FBoolProperty* Toggle = FindFProperty<FBoolProperty>(Record.Struct(), FName(Name));
		ASSERT_NE(Toggle, nullptr);
		EXPECT_FALSE(Toggle->IsNativeBool()) << "a one-bit field";
		EXPECT_EQ(Toggle->GetByteOffset(), (int32)(Index / 8));
		EXPECT_EQ(Toggle->GetBitIndex(), (int32)(Index % 8));
		EXPECT_EQ(Toggle->GetFieldMask(), (uint8)(1u << (Index % 8)));
		ExpectAccess(Toggle, RW);
		// Records whose values open with "Properties" open their toggles with "Override toggles".
		const bool bDocumented = Index == 0 && std::string(Record.Fields[0].Meta) == First;
		ExpectMeta(Toggle, std::string("Category=Overrides;InlineEditConditionToggle;PinHiddenByDefault") + (bDocumented ? ";ToolTip=Override toggles" : ""));
		EXPECT_EQ(Toggle->GetPropertyValue_InContainer(Defaults.Get()), Record.ToggleOnByDefault && std::string(Name) == Record.ToggleOnByDefault);
	}
}

std::vector<FRecord> RecordsWithToggles()
{
	std::vector<FRecord> WithToggles;
	std::copy_if(std::begin(Records), std::end(Records), std::back_inserter(WithToggles), [](const FRecord& Record) { return !Record.Toggles.empty(); });
	return WithToggles;
}

INSTANTIATE_TEST_SUITE_P(Records, SettingsToggleBits, ::testing::ValuesIn(RecordsWithToggles()),
	[](const ::testing::TestParamInfo<FRecord>& Info) { return ToStd(Info.param.Struct()->GetName()); });

namespace
{
	const FName AlphaMix(TEXT("alphaMix"));
	const FName BetaMix(TEXT("BetaMix"));
	const FName GammaMix(TEXT("GammaMix"));
	const FName ShadowTint(TEXT("shadowTint"));
	const FName HighlightTint(TEXT("HighlightTint"));
	const FLinearColor ShadowDefault(0.1f, 0.2f, 0.3f, 1.0f);
	const FLinearColor HighlightDefault(0.9f, 0.8f, 0.7f, 1.0f);

	/** A post-process material whose parameters are declared out of alphabetical order. */
	UMaterial* MakeMaterial()
	{
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage());
		AddScalarParameter(Material, GammaMix, 0.75f);
		AddScalarParameter(Material, BetaMix, 1.5f);
		AddScalarParameter(Material, AlphaMix, 0.25f);
		AddVectorParameter(Material, ShadowTint, ShadowDefault);
		AddVectorParameter(Material, HighlightTint, HighlightDefault);
		return Material;
	}

	template<typename RecordType>
	std::vector<std::string> NamesOf(const TArray<RecordType>& Records)
	{
		std::vector<std::string> Names;
		for (const RecordType& Record : Records)
		{
			Names.push_back(ToStd(Record.Name.ToString()));
		}
		return Names;
	}

	std::vector<std::string> NamesOf(const TSet<FName>& Set)
	{
		std::vector<std::string> Names;
		for (const FName& Name : Set)
		{
			Names.push_back(ToStd(Name.ToString()));
		}
		std::sort(Names.begin(), Names.end());
		return Names;
	}

	std::vector<bool> InUseOf(const TArray<FLM_MaterialParameterToggle>& Toggles)
	{
		std::vector<bool> InUse;
		for (const FLM_MaterialParameterToggle& Toggle : Toggles)
		{
			InUse.push_back(Toggle.InUse);
		}
		return InUse;
	}

	void SetInUse(FLM_MaterialParameterToggles& Toggles, const FName Name, const bool bInUse)
	{
		for (TArray<FLM_MaterialParameterToggle>* List : {&Toggles.ScalarParameterToggles, &Toggles.VectorParameterToggles})
		{
			for (FLM_MaterialParameterToggle& Toggle : *List)
			{
				if (Toggle.Name == Name)
				{
					Toggle.InUse = bInUse;
				}
			}
		}
	}
}

// The toggle lists follow the material: sorted case-insensitively, switches kept by name, vanished
// parameters dropped, renamed ones switched off, current values captured in the material's order.
TEST(MaterialParameterRecords, SyncTogglesFollowsTheMaterial)
{
	UMaterial* Material = MakeMaterial();
	FLM_MaterialParameterToggles Toggles;
	Toggles.ScalarParameterToggles = {{BetaMix, true}, {FName(TEXT("RemovedMix")), true}};
	Toggles.ScalarParameterDefaults = {{FName(TEXT("Stale")), 3.0f}};

	LM_MaterialParameters::SyncToggles(Toggles, Material);
	EXPECT_EQ(NamesOf(Toggles.ScalarParameterToggles), (std::vector<std::string>{"alphaMix", "BetaMix", "GammaMix"})) << "\"a\" sorts before \"B\"";
	EXPECT_EQ(InUseOf(Toggles.ScalarParameterToggles), (std::vector<bool>{false, true, false})) << "BetaMix keeps its switch";
	EXPECT_EQ(NamesOf(Toggles.VectorParameterToggles), (std::vector<std::string>{"HighlightTint", "shadowTint"}));
	EXPECT_EQ(NamesOf(Toggles.ScalarParameterDefaults), (std::vector<std::string>{"GammaMix", "BetaMix", "alphaMix"})) << "material order";
	EXPECT_EQ(Toggles.ScalarParameterDefaults[1].Value, 1.5f);
	EXPECT_EQ(NamesOf(Toggles.VectorParameterDefaults), (std::vector<std::string>{"shadowTint", "HighlightTint"}));
	EXPECT_EQ(Toggles.VectorParameterDefaults[0].Value, ShadowDefault);

	// An instance reports its parent's parameters with its own current values.
	UMaterialInstanceDynamic* Instance = UMaterialInstanceDynamic::Create(Material, GetTransientPackage());
	Instance->SetScalarParameterValue(GammaMix, 0.9f);
	LM_MaterialParameters::SyncToggles(Toggles, Instance);
	EXPECT_EQ(Toggles.ScalarParameterDefaults[0].Value, 0.9f);

	ASSERT_TRUE(RenameParameter(Material, BetaMix, FName(TEXT("DeltaMix"))));
	LM_MaterialParameters::SyncToggles(Toggles, Material);
	EXPECT_EQ(NamesOf(Toggles.ScalarParameterToggles), (std::vector<std::string>{"alphaMix", "DeltaMix", "GammaMix"}));
	EXPECT_EQ(InUseOf(Toggles.ScalarParameterToggles), (std::vector<bool>{false, false, false})) << "a renamed parameter starts switched off";

	const FLM_MaterialParameterToggles Before = Toggles;
	LM_MaterialParameters::SyncToggles(Toggles, nullptr);
	EXPECT_EQ(NamesOf(Toggles.ScalarParameterToggles), NamesOf(Before.ScalarParameterToggles)) << "no material: nothing changes";
	EXPECT_EQ(NamesOf(Toggles.ScalarParameterDefaults), NamesOf(Before.ScalarParameterDefaults));
}

// Entries hold exactly the parameters in use: edited values survive a rebuild, new ones start from the
// material (or zero/black when it has none), dropped and renamed ones are queued for a reset, and the
// lists are sorted like the toggles.
TEST(MaterialParameterRecords, SyncEntriesKeepsEditsAndQueuesResets)
{
	UMaterial* Material = MakeMaterial();
	FLM_MaterialParameterToggles Toggles;
	LM_MaterialParameters::SyncToggles(Toggles, Material);
	SetInUse(Toggles, AlphaMix, true);
	SetInUse(Toggles, GammaMix, true);
	SetInUse(Toggles, HighlightTint, true);
	Toggles.ScalarParameterToggles.Add({FName(TEXT("orphanMix")), true}); // out of order, and unknown to the material
	Toggles.VectorParameterToggles.Add({FName(TEXT("OrphanTint")), true});

	FLM_MaterialParameterEntries Entries;
	Entries.ScalarParameterEntries = {{GammaMix, 7.0f}, {BetaMix, 3.0f}};
	Entries.VectorParameterEntries = {{ShadowTint, FLinearColor(1.0f, 0.0f, 0.0f, 1.0f)}};

	LM_MaterialParameters::SyncEntries(Entries, Toggles);
	ASSERT_EQ(NamesOf(Entries.ScalarParameterEntries), (std::vector<std::string>{"alphaMix", "GammaMix", "orphanMix"}));
	EXPECT_EQ(Entries.ScalarParameterEntries[0].Value, 0.25f) << "new entry starts at the material's value";
	EXPECT_EQ(Entries.ScalarParameterEntries[1].Value, 7.0f) << "edited value survives";
	EXPECT_EQ(Entries.ScalarParameterEntries[2].Value, 0.0f) << "no material value: zero";
	ASSERT_EQ(NamesOf(Entries.VectorParameterEntries), (std::vector<std::string>{"HighlightTint", "OrphanTint"}));
	EXPECT_EQ(Entries.VectorParameterEntries[0].Value, HighlightDefault);
	EXPECT_EQ(Entries.VectorParameterEntries[1].Value, FLinearColor(0.0f, 0.0f, 0.0f, 1.0f)) << "no material value: black";
	EXPECT_EQ(NamesOf(Entries.ScalarParametersToReset), (std::vector<std::string>{"BetaMix"}));
	EXPECT_EQ(NamesOf(Entries.VectorParametersToReset), (std::vector<std::string>{"shadowTint"}));

	// Off and on again: the rebuild in between forgets the edit.
	SetInUse(Toggles, GammaMix, false);
	LM_MaterialParameters::SyncEntries(Entries, Toggles);
	EXPECT_EQ(NamesOf(Entries.ScalarParameterEntries), (std::vector<std::string>{"alphaMix", "orphanMix"}));
	EXPECT_EQ(NamesOf(Entries.ScalarParametersToReset), (std::vector<std::string>{"BetaMix", "GammaMix"}));
	SetInUse(Toggles, GammaMix, true);
	LM_MaterialParameters::SyncEntries(Entries, Toggles);
	EXPECT_EQ(Entries.ScalarParameterEntries[1].Value, 0.75f) << "back at the material's value";

	// A renamed parameter loses its toggle; its old entry is queued for a reset, as is one the material never had.
	ASSERT_TRUE(RenameParameter(Material, AlphaMix, FName(TEXT("EpsilonMix"))));
	LM_MaterialParameters::SyncToggles(Toggles, Material);
	LM_MaterialParameters::SyncEntries(Entries, Toggles);
	EXPECT_EQ(NamesOf(Entries.ScalarParameterEntries), (std::vector<std::string>{"GammaMix"}));
	EXPECT_EQ(NamesOf(Entries.ScalarParametersToReset), (std::vector<std::string>{"BetaMix", "GammaMix", "alphaMix", "orphanMix"}));
}

// Applying resets the queued parameters to the material's defaults before writing the entries, skips
// what the material lacks and entries without a name, and queues each reset only once.
TEST(MaterialParameterRecords, ApplyResetsThenWritesNamedEntries)
{
	UMaterial* Material = MakeMaterial();
	UMaterialInstanceDynamic* Instance = UMaterialInstanceDynamic::Create(Material, GetTransientPackage());
	Instance->SetScalarParameterValue(BetaMix, 9.0f);
	Instance->SetVectorParameterValue(ShadowTint, FLinearColor(0.0f, 0.0f, 1.0f, 1.0f));

	FLM_MaterialParameterEntries Entries;
	Entries.ScalarParameterEntries = {{NAME_None, 5.0f}, {GammaMix, 0.8f}};
	Entries.VectorParameterEntries = {{NAME_None, FLinearColor(1.0f, 0.0f, 0.0f, 1.0f)}, {HighlightTint, FLinearColor(0.0f, 1.0f, 0.0f, 1.0f)}};
	Entries.ScalarParametersToReset = {BetaMix, GammaMix, FName(TEXT("MissingMix"))};
	Entries.VectorParametersToReset = {ShadowTint, FName(TEXT("MissingTint"))};

	LM_MaterialParameters::ApplyParameterEntries(Entries, nullptr);
	EXPECT_EQ(Entries.ScalarParametersToReset.Num(), 3) << "no instance: nothing happens";

	LM_MaterialParameters::ApplyParameterEntries(Entries, Instance);
	EXPECT_EQ(Instance->K2_GetScalarParameterValue(BetaMix), 1.5f) << "reset to the material's default";
	EXPECT_EQ(Instance->K2_GetScalarParameterValue(GammaMix), 0.8f) << "the entry wins over its own reset";
	EXPECT_EQ(Instance->K2_GetVectorParameterValue(ShadowTint), ShadowDefault);
	EXPECT_EQ(Instance->K2_GetVectorParameterValue(HighlightTint), FLinearColor(0.0f, 1.0f, 0.0f, 1.0f));
	std::vector<std::string> Overridden;
	for (const FScalarParameterValue& Value : Instance->ScalarParameterValues)
	{
		Overridden.push_back(ToStd(Value.ParameterInfo.Name.ToString()));
	}
	for (const FVectorParameterValue& Value : Instance->VectorParameterValues)
	{
		Overridden.push_back(ToStd(Value.ParameterInfo.Name.ToString()));
	}
	std::sort(Overridden.begin(), Overridden.end());
	EXPECT_EQ(Overridden, (std::vector<std::string>{"BetaMix", "GammaMix", "HighlightTint", "shadowTint"}))
		<< "nothing written for unnamed entries or for resets the material lacks";
	EXPECT_EQ(Entries.ScalarParametersToReset.Num(), 0);
	EXPECT_EQ(Entries.VectorParametersToReset.Num(), 0);

	Instance->SetScalarParameterValue(BetaMix, 4.0f);
	LM_MaterialParameters::ApplyParameterEntries(Entries, Instance);
	EXPECT_EQ(Instance->K2_GetScalarParameterValue(BetaMix), 4.0f) << "a reset happens once";
}

// Entries written every frame go by index once the instance holds them; whatever the instance's own
// order, the overrides and the updates handed on must be exactly those of setting each one by name.
TEST(MaterialParameterRecords, RepeatedApplyMatchesSettingEachByName)
{
	UMaterial* Material = MakeMaterial();
	UMaterialInstanceDynamic* Applied = UMaterialInstanceDynamic::Create(Material, GetTransientPackage());
	UMaterialInstanceDynamic* ByName = UMaterialInstanceDynamic::Create(Material, GetTransientPackage());
	// Overrides already there, in another order than the entries', and one the entries lack.
	for (UMaterialInstanceDynamic* Instance : {Applied, ByName})
	{
		Instance->SetScalarParameterValue(FName(TEXT("Entry3")), 7.0f);
		Instance->SetScalarParameterValue(FName(TEXT("Unrelated")), 2.0f);
		Instance->SetScalarParameterValue(FName(TEXT("Entry1")), 7.0f);
	}

	FLM_MaterialParameterEntries Entries;
	for (int32 Index = 0; Index < 6; ++Index)
	{
		Entries.ScalarParameterEntries.Add({FName(*FString::Printf(TEXT("Entry%d"), Index)), static_cast<float>(Index)});
		Entries.VectorParameterEntries.Add({FName(*FString::Printf(TEXT("Colour%d"), Index)), FLinearColor(static_cast<float>(Index), 0.0f, 0.0f, 1.0f)});
	}
	// A repeated name: the later entry is written last.
	Entries.ScalarParameterEntries.Add({FName(TEXT("entry2")), 9.0f});

	for (int32 Frame = 0; Frame < 4; ++Frame)
	{
		// Values change on some frames only: unchanged ones must not be handed on again.
		if (Frame == 2)
		{
			Entries.ScalarParameterEntries[4].Value = 40.0f;
			Entries.VectorParameterEntries[0].Value = FLinearColor(0.5f, 0.5f, 0.5f, 1.0f);
		}
		LM_MaterialParameters::ApplyParameterEntries(Entries, Applied);
		for (const FLM_ScalarMaterialParamaterEntry& Entry : Entries.ScalarParameterEntries)
		{
			ByName->SetScalarParameterValue(Entry.Name, Entry.Value);
		}
		for (const FLM_VectorMaterialParameterEntry& Entry : Entries.VectorParameterEntries)
		{
			ByName->SetVectorParameterValue(Entry.Name, Entry.Value);
		}

		ASSERT_EQ(Applied->ScalarParameterValues.Num(), ByName->ScalarParameterValues.Num());
		for (int32 Index = 0; Index < Applied->ScalarParameterValues.Num(); ++Index)
		{
			EXPECT_EQ(Applied->ScalarParameterValues[Index].ParameterInfo, ByName->ScalarParameterValues[Index].ParameterInfo);
			EXPECT_EQ(Applied->ScalarParameterValues[Index].ParameterValue, ByName->ScalarParameterValues[Index].ParameterValue) << "frame " << Frame;
		}
		ASSERT_EQ(Applied->VectorParameterValues.Num(), ByName->VectorParameterValues.Num());
		for (int32 Index = 0; Index < Applied->VectorParameterValues.Num(); ++Index)
		{
			EXPECT_EQ(Applied->VectorParameterValues[Index].ParameterInfo, ByName->VectorParameterValues[Index].ParameterInfo);
			EXPECT_EQ(Applied->VectorParameterValues[Index].ParameterValue, ByName->VectorParameterValues[Index].ParameterValue) << "frame " << Frame;
		}
		EXPECT_EQ(Applied->Host_GetParameterUpdateCount(), ByName->Host_GetParameterUpdateCount()) << "frame " << Frame;
	}
	EXPECT_EQ(Applied->K2_GetScalarParameterValue(FName(TEXT("Entry2"))), 9.0f);
}
