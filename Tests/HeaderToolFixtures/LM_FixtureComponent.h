#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "LM_FixtureTypes.h"
#include "LM_FixtureComponent.generated.h"

class ULM_FixtureComponent;

/**
 * Asset referenced by the component.
 */
UCLASS(BlueprintType, EditInlineNew, meta = (DisplayName = "Fixture Asset"))
class ZNLUMARCH_API ULM_FixtureAsset : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY(EditAnywhere, Category = "Asset")
	float Scale = 1.0f;
};

/** Abstract base: no constructor is registered for it. */
UCLASS(Abstract, MinimalAPI)
class ULM_FixtureBase : public UObject
{
	GENERATED_BODY()

protected:
	UPROPERTY(VisibleInstanceOnly, Category = "Base")
	int32 BaseCounter = 0;

public:
	virtual void Advance(float DeltaTime) { BaseCounter += DeltaTime > 0.f ? 1 : 0; }
};

// Component with every supported property kind.
// Used to check the generator end to end.
UCLASS(ClassGroup = (Lumarch, Lighting), meta = (BlueprintSpawnableComponent), HideCategories = (Object, "Activation"), Blueprintable, Config = Game)
class ZNLUMARCH_API ULM_FixtureComponent : public ULM_FixtureBase
{
	GENERATED_BODY()

	DECLARE_DYNAMIC_MULTICAST_DELEGATE_TwoParams(FOnFixtureChanged, ULM_FixtureComponent*, Component, float, Value);

public:
	ULM_FixtureComponent(const FObjectInitializer& ObjectInitializer)
		: ULM_FixtureBase()
	{
		(void)ObjectInitializer;
	}

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Kinds")
	float FloatValue = 1.f;
	UPROPERTY(EditAnywhere, Category = "Kinds") double DoubleValue = 2.0;
	UPROPERTY(EditAnywhere, Category = "Kinds", meta = (ClampMin = "0", UIMax = "10"))
	int32 IntValue = 3;
	UPROPERTY(EditDefaultsOnly, Category = "Kinds")
	int IntPlain{4};
	UPROPERTY(EditInstanceOnly, Category = "Kinds")
	int64 BigValue = 5;
	UPROPERTY(VisibleDefaultsOnly, Category = "Kinds")
	uint32 UnsignedValue = 6u;
	UPROPERTY(BlueprintReadOnly, Category = "Kinds")
	uint8 ByteValue = 7;
	UPROPERTY(EditAnywhere, Category = "Kinds")
	bool bNativeBool = true;
	UPROPERTY(EditAnywhere, Category = "Kinds")
	uint8 bBitA : 1;
	UPROPERTY(EditAnywhere, Category = "Kinds", AdvancedDisplay)
	uint8 bBitB : 1;
	UPROPERTY(EditAnywhere, Category = "Kinds")
	FName NameValue = NAME_None;
	UPROPERTY(EditAnywhere, Category = "Kinds", SaveGame)
	FString StringValue = TEXT("/* not a comment */");
	UPROPERTY(EditAnywhere, Category = "Kinds")
	FText TextValue;
	UPROPERTY(EditAnywhere, Interp, Category = "Kinds")
	FVector Location = FVector(0.0, 0.0, 0.0);
	UPROPERTY(EditAnywhere, Category = "Kinds")
	FRotator Rotation;
	UPROPERTY(EditAnywhere, Category = "Kinds", meta = (HideAlphaChannel))
	FLinearColor Tint = FLinearColor(1, 1, 1);
	UPROPERTY(EditAnywhere, Category = "Kinds")
	FColor Color8;
	UPROPERTY(EditAnywhere, Category = "Kinds")
	FTransform Xform;
	UPROPERTY(EditAnywhere, Category = "Kinds", meta = (ShowOnlyInnerProperties))
	FLM_FixtureOverrides Overrides;
	UPROPERTY(EditAnywhere, Category = "Kinds")
	ELM_FixturePhase Phase = ELM_FixturePhase::Day;
	UPROPERTY(EditAnywhere, Category = "Kinds")
	TEnumAsByte<ELM_FixtureQuality::Type> Quality = ELM_FixtureQuality::Medium;
	UPROPERTY(EditAnywhere, Category = "Kinds", meta = (Bitmask, BitmaskEnum = "/Script/ZNLumarch.ELM_FixtureRegular"))
	TEnumAsByte<ELM_FixtureRegular> RegularFlags = RegA;
	UPROPERTY(EditAnywhere, Category = "Kinds")
	ELM_FixtureFixedRegular FixedRegular = FixedB;
	UPROPERTY(EditAnywhere, Category = "Refs")
	ULM_FixtureAsset* RawAsset = nullptr;
	UPROPERTY(EditAnywhere, Category = "Refs")
	TObjectPtr<class ULM_FixtureAsset> Asset;
	UPROPERTY(Transient, DuplicateTransient)
	TWeakObjectPtr<ULM_FixtureAsset> WeakAsset;
	UPROPERTY(EditAnywhere, Category = "Refs")
	TSoftObjectPtr<ULM_FixtureAsset> SoftAsset;
	UPROPERTY(EditAnywhere, NoClear, Category = "Refs")
	TSubclassOf<ULM_FixtureBase> BaseClass;
	UPROPERTY(EditAnywhere, Instanced, Category = "Refs")
	TObjectPtr<ULM_FixtureAsset> InlineAsset;
	UPROPERTY(EditAnywhere, EditFixedSize, Category = "Arrays")
	TArray<TObjectPtr<ULM_FixtureAsset>> Assets;
	UPROPERTY(EditAnywhere, Category = "Arrays", meta = (TitleProperty = "Intensity"))
	TArray<FLM_FixtureOverrides> Entries;
	UPROPERTY(EditAnywhere, Category = "Arrays")
	TArray<float> Samples;
	UPROPERTY(EditAnywhere, Category = "Arrays")
	TArray<ELM_FixturePhase> Phases;
	UPROPERTY(BlueprintAssignable, Category = "Events")
	FLM_OnPhaseChanged OnPhaseChanged;
	UPROPERTY(BlueprintAssignable, Category = "Events")
	FOnFixtureChanged OnFixtureChanged;

	/** Advances the simulation.
	 * @param TotalNormalizedTimePassed  fraction of the day */
	UFUNCTION(BlueprintCallable, Category = "Celestial")
	void Update(float TotalNormalizedTimePassed) { FloatValue = TotalNormalizedTimePassed; }

	UFUNCTION(BlueprintPure, Category = "Celestial")
	FVector GetSunDirection(float Time, const FRotator& Offset) const
	{
		return Time > 0.f ? Location : FVector(Offset.Pitch, Offset.Yaw, Offset.Roll);
	}

	UFUNCTION(BlueprintCallable, Category = "Celestial")
	bool TryGetEntries(TArray<FLM_FixtureOverrides>& OutEntries, int32& OutCount) const
	{
		OutEntries = Entries;
		OutCount = Entries.Num();
		return OutCount > 0;
	}

	UFUNCTION(BlueprintCallable, Category = "Celestial", meta = (WorldContext = "WorldContextObject"))
	static ULM_FixtureAsset* MakeAsset(UObject* WorldContextObject, TSubclassOf<ULM_FixtureAsset> AssetClass, FName Name = NAME_None)
	{
		(void)WorldContextObject;
		(void)AssetClass;
		(void)Name;
		return nullptr;
	}

	UFUNCTION(BlueprintImplementableEvent, Category = "Events")
	void OnPhaseReached(ELM_FixturePhase NewPhase, const FString& Reason);

	UFUNCTION(BlueprintNativeEvent, Category = "Events")
	float ComputeBrightness(const FLinearColor& InColor) const;
	virtual float ComputeBrightness_Implementation(const FLinearColor& InColor) const { return InColor.R; }

	UFUNCTION(CallInEditor, Category = "Tools")
	void RebuildPreview() { ++IntValue; }

	UFUNCTION(BlueprintPure, Category = "Tools")
	ZNLUMARCH_API int32 ExportedCount() const;

	UFUNCTION(Exec)
	void DumpState(UPARAM(ref) TArray<FString>& Lines) { Lines.Add(StringValue); }

	virtual void Advance(float DeltaTime) override
	{
		auto Scale = [this](float X) { return X * FloatValue; };
		FloatValue = Scale(DeltaTime);
	}

	enum class ENotReflected : uint8 { A, B };
	struct FNotReflected
	{
		int32 Value = 0;
	} NotReflectedMember;

	friend class ULM_FixtureAsset;
	using FSamples = TArray<float>;
	static constexpr float Gain = 2.f;

#if WITH_EDITORONLY_DATA
	/** Editor-only preview toggle. */
	UPROPERTY(EditAnywhere, Category = "Editor")
	bool bShowPreview = false;

	UPROPERTY(Transient)
	TObjectPtr<ULM_FixtureAsset> PreviewAsset;
#else
	UPROPERTY()
	bool bShowPreview;
#endif

#if WITH_EDITOR
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override
	{
		Super::PostEditChangeProperty(PropertyChangedEvent);
	}
#endif

#if 0
	UPROPERTY(NotARealSpecifier)
	TMap<int, int> Dead;
#endif

protected:
	UFUNCTION()
	void HandleTimer() {}

	UPROPERTY(EditAnywhere, Category = "Access")
	float ProtectedValue = 0.f;

private:
	UPROPERTY(EditAnywhere, Category = "Access", meta = (AllowPrivateAccess = "true"))
	float PrivateValue = 0.f;
};
