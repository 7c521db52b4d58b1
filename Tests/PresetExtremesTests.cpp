// Presets with the values users really end up with - at and past the editor limits, zeros, negatives,
// huge magnitudes, and (from scripts) infinities and NaN - run over a day in the editor and in play,
// with every value the director's components receive checked.
#include "Support/DirectorTesting.h"
#include "CoreMinimal.h"
#include "Actors/ZN_Lumarch.h"
#include "Engine/World.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "UObject/UnrealType.h"
#include "VoxelLayer.h"
#include "VoxelLayerStack.h"
#include "VoxelWorld.h"
#include "ZN_TimeOfDaySubsystemActor.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <string>

using namespace DirectorTesting;

namespace
{
	/** Where values come from: a file (finite numbers only) or a script (also infinities and NaN). */
	enum class ESource
	{
		File,
		Script,
	};

	/**
	 * Huge magnitudes go up to 1e18: the product of two such values (a look scaled for low quality) still
	 * fits a float, while values near the float limit overflow the blend of two opposite looks by design.
	 */
	constexpr double MaxDecimalExponent = 18.0;

	/** Values of every reflected number and flag of a preset, drawn the way users end up with them. */
	class FExtremeValues
	{
	public:
		FExtremeValues(uint32 Seed, ESource InSource) : Random(Seed), Source(InSource) {}

		void Fill(UStruct* Struct, void* Container)
		{
			for (TFieldIterator<FProperty> It(Struct); It; ++It)
			{
				for (int32 Index = 0; Index < It->ArrayDim; ++Index)
				{
					FillValue(*It, It->ContainerPtrToValuePtr<void>(Container, Index));
				}
			}
		}

	private:
		void FillValue(FProperty* Property, void* Value)
		{
			if (FStructProperty* Struct = CastField<FStructProperty>(Property))
			{
				Fill(Struct->Struct, Value);
			}
			else if (FArrayProperty* Array = CastField<FArrayProperty>(Property))
			{
				FScriptArrayHelper Helper(Array, Value);
				for (int32 Index = 0; Index < Helper.Num(); ++Index)
				{
					FillValue(Array->Inner, Helper.GetRawPtr(Index));
				}
			}
			else if (FObjectProperty* Object = CastField<FObjectProperty>(Property))
			{
				// The preset's own dynamic preset; other assets are shared and left alone.
				UObject* Target = Object->GetObjectPropertyValue(Value);
				if (Target && Target->IsA(ULM_DynamicPreset::StaticClass()))
				{
					Fill(Target->GetClass(), Target);
				}
			}
			else if (FBoolProperty* Bool = CastField<FBoolProperty>(Property))
			{
				Bool->SetPropertyValue(Value, Pick(2) == 0);
			}
			else if (FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
			{
				if (Numeric->IsFloatingPoint())
				{
					Numeric->SetFloatingPointPropertyValue(Value, Number(Property));
				}
				else if (!Numeric->GetIntPropertyEnum())
				{
					static const int64 Integers[] = {0, 1, -1, 2, 7, 28, -28, 1000000, -1000000, 2147483647, -2147483647 - 1};
					Numeric->SetIntPropertyValue(Value, Integers[Pick(std::size(Integers))]);
				}
			}
		}

		double Number(const FProperty* Property)
		{
			if (Source == ESource::Script && Pick(8) == 0)
			{
				static const double NonFinite[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
					-std::numeric_limits<double>::infinity()};
				return NonFinite[Pick(3)];
			}
			switch (Pick(9))
			{
			case 0: return 0.0;
			case 1: return Pick(2) ? 1.0 : -1.0;
			case 2: return Limit(Property, TEXT("ClampMin"), TEXT("UIMin"), 0.0);
			case 3: return Limit(Property, TEXT("ClampMax"), TEXT("UIMax"), 1.0);
			case 4: return Limit(Property, TEXT("ClampMin"), TEXT("UIMin"), 0.0) - 1.0 - Uniform(0.0, 1000.0);
			case 5: return Limit(Property, TEXT("ClampMax"), TEXT("UIMax"), 1.0) + 1.0 + Uniform(0.0, 1000.0);
			case 6: return (Pick(2) ? 1.0 : -1.0) * std::pow(10.0, Uniform(3.0, MaxDecimalExponent));
			case 7: return Uniform(0.0, 1.0);
			default: return Uniform(-10000.0, 10000.0);
			}
		}

		static double Limit(const FProperty* Property, const TCHAR* ClampKey, const TCHAR* SliderKey, double Otherwise)
		{
			const TCHAR* Key = Property->HasMetaData(ClampKey) ? ClampKey : (Property->HasMetaData(SliderKey) ? SliderKey : nullptr);
			return Key ? std::stod(TCHAR_TO_UTF8(*Property->GetMetaData(Key))) : Otherwise;
		}

		size_t Pick(size_t Count) { return std::uniform_int_distribution<size_t>(0, Count - 1)(Random); }
		double Uniform(double Low, double High) { return std::uniform_real_distribution<double>(Low, High)(Random); }

		std::mt19937 Random;
		ESource Source;
	};

	/** Collects every non-finite number the director's components hold, with its path, as a Details panel lists them. */
	class FNonFiniteFinder
	{
	public:
		void Visit(const UObject* Object, const std::string& Path)
		{
			if (!Object || !Visited.insert(Object).second)
			{
				return;
			}
			VisitStruct(Object->GetClass(), Object, Path);
		}

		std::vector<std::string> Found;

	private:
		void VisitStruct(const UStruct* Struct, const void* Container, const std::string& Path)
		{
			for (TFieldIterator<FProperty> It(Struct); It; ++It)
			{
				for (int32 Index = 0; Index < It->ArrayDim; ++Index)
				{
					VisitValue(*It, It->ContainerPtrToValuePtr<void>(const_cast<void*>(Container), Index), Path + "." + TCHAR_TO_UTF8(*It->GetName()));
				}
			}
		}

		void VisitValue(FProperty* Property, const void* Value, const std::string& Path)
		{
			if (FStructProperty* Struct = CastField<FStructProperty>(Property))
			{
				VisitStruct(Struct->Struct, Value, Path);
			}
			else if (FArrayProperty* Array = CastField<FArrayProperty>(Property))
			{
				FScriptArrayHelper Helper(Array, const_cast<void*>(Value));
				for (int32 Index = 0; Index < Helper.Num(); ++Index)
				{
					VisitValue(Array->Inner, Helper.GetRawPtr(Index), Path + "[" + std::to_string(Index) + "]");
				}
			}
			else if (FObjectProperty* Object = CastField<FObjectProperty>(Property))
			{
				// Dynamic material instances are what the components write into.
				const UObject* Target = Object->GetObjectPropertyValue(Value);
				if (Target && Target->IsA(UMaterialInstanceDynamic::StaticClass()))
				{
					Visit(Target, Path);
				}
			}
			else if (FNumericProperty* Numeric = CastField<FNumericProperty>(Property); Numeric && Numeric->IsFloatingPoint())
			{
				if (!std::isfinite(Numeric->GetFloatingPointPropertyValue(Value)))
				{
					Found.push_back(Path);
				}
			}
		}

		std::set<const UObject*> Visited;
	};

	std::vector<std::string> NonFiniteValues(AZN_Lumarch* Director)
	{
		FNonFiniteFinder Finder;
		TArray<UActorComponent*> Components;
		Director->GetComponents(Components);
		for (UActorComponent* Component : Components)
		{
			Finder.Visit(Component, TCHAR_TO_UTF8(*Component->GetName()));
		}
		return Finder.Found;
	}

	/** A preset with a post-process material in use in every look, then every number and flag drawn anew. */
	ULM_Preset* MakeExtremePreset(FExtremeValues& Values)
	{
		ULM_Preset* Preset = MakePreset();
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage());
		AddScalarParameter(Material, TEXT("Vignette"), 0.4f);
		AddVectorParameter(Material, TEXT("Tint"), FLinearColor(1.f, 1.f, 1.f, 1.f));
		ULM_DynamicPreset* Dynamic = Preset->DynamicOverrides;
		HostEditor::SetObjectPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.PostProcessMaterial"), Material);
		Values.Fill(ULM_Preset::StaticClass(), Preset);
		return Preset;
	}

	std::string Describe(const std::vector<std::string>& Paths)
	{
		std::string Out;
		for (size_t Index = 0; Index < Paths.size() && Index < 8; ++Index)
		{
			Out += "\n  " + Paths[Index];
		}
		return Out;
	}

	/** An editor level and a playing one (a clock running a day in 24 s, a pawn on voxel ground), each with a director. */
	class PresetExtremes : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			EditorWorld = UWorld::CreateWorld(EWorldType::Editor, false);
			EditorDirector = EditorWorld->SpawnActor<AZN_Lumarch>();

			PlayWorld = UWorld::CreateWorld(EWorldType::Game, false);
			AZN_TimeOfDaySubsystemActor* Clock = PlayWorld->SpawnActor<AZN_TimeOfDaySubsystemActor>();
			Clock->DayLengthSeconds = 24.f;
			AVoxelWorld* Terrain = PlayWorld->SpawnActor<AVoxelWorld>();
			Terrain->Tags.Add(TEXT("GroundHeightSource"));
			Terrain->LayerStack = NewObject<UVoxelLayerStack>(GetTransientPackage());
			Terrain->LayerStack->HeightLayers.Add(NewObject<UVoxelHeightLayer>(GetTransientPackage()));
			PlayDirector = PlayWorld->SpawnActor<AZN_Lumarch>();
			APlayerController* Player = PlayWorld->SpawnActor<APlayerController>();
			Player->Possess(PlayWorld->SpawnActor<APawn>());
			PlayWorld->BeginPlay();
			PlayDirector->RegisterPlayerController(Player);
		}
		void TearDown() override
		{
			PlayWorld->DestroyWorld(false);
			EditorWorld->DestroyWorld(false);
		}

		/** Runs the preset over a day in both levels; the paths of non-finite values received, by where they appeared. */
		std::vector<std::string> RunDay(ULM_Preset* Preset)
		{
			std::vector<std::string> Found;
			HostEditor::SetObjectPropertyByPath(EditorDirector, TEXT("Preset"), Preset);
			HostEditor::SetObjectPropertyByPath(PlayDirector, TEXT("Preset"), Preset);
			for (int32 Step = 0; Step <= 12; ++Step)
			{
				HostEditor::SetPropertyByPath(EditorDirector, TEXT("TotalTime"), 200.0 * Step);
				for (const std::string& Path : NonFiniteValues(EditorDirector))
				{
					Found.push_back("editor " + std::to_string(200 * Step) + ": " + Path);
				}
				PlayWorld->Tick(LEVELTICK_All, 2.f);
				for (const std::string& Path : NonFiniteValues(PlayDirector))
				{
					Found.push_back("play frame " + std::to_string(Step) + ": " + Path);
				}
			}
			return Found;
		}

		UWorld* EditorWorld = nullptr;
		AZN_Lumarch* EditorDirector = nullptr;
		UWorld* PlayWorld = nullptr;
		AZN_Lumarch* PlayDirector = nullptr;
	};

#ifdef ZN_SANITIZED_BUILD
	constexpr int32 PresetCount = 150;
#else
	constexpr int32 PresetCount = 1000;
#endif
}

// Finite values, however extreme or out of the editor's range, never put a non-finite number into a component.
TEST_F(PresetExtremes, FileValuesReachComponentsFinite)
{
	FExtremeValues Values(20261206u, ESource::File);
	for (int32 Index = 0; Index < PresetCount; ++Index)
	{
		const std::vector<std::string> Found = RunDay(MakeExtremePreset(Values));
		ASSERT_TRUE(Found.empty()) << "preset " << Index << " of seed 20261206:" << Describe(Found);
	}
}

// Infinities and NaN set from a script may pass on, but nothing in the passing is undefined (the sanitizers watch).
TEST_F(PresetExtremes, ScriptValuesAreNeverUndefinedBehaviour)
{
	FExtremeValues Values(7u, ESource::Script);
	int32 WithNonFinite = 0;
	for (int32 Index = 0; Index < PresetCount; ++Index)
	{
		WithNonFinite += RunDay(MakeExtremePreset(Values)).empty() ? 0 : 1;
	}
	EXPECT_GT(WithNonFinite, 0) << "scripted infinities do reach the components, as the engine would pass them on";
}
