// Copyright notice: documents the file, never a type.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "LM_FixtureTypes.generated.h"

/** Phase of the day. */
UENUM(BlueprintType)
enum class ELM_FixturePhase : uint8
{
	/** Before sunrise. */
	Night UMETA(DisplayName = "Night time"),
	Dawn = 2 UMETA(DisplayName = "Dawn, early", ToolTip = "Explicit tooltip wins"), /* trailing, ignored */
	// Sun above the horizon.
	// Second line of the tooltip.
	Day UMETA(Hidden),
	MAX UMETA(Hidden)
};

UENUM()
namespace ELM_FixtureQuality
{
	enum Type : int
	{
		Low,
		Medium = 5,
		High,
	};
}

UENUM(meta = (Bitflags, UseEnumValuesAsMaskValuesInEditor = "true"))
enum ELM_FixtureRegular
{
	RegA = 1 << 0,
	RegB = 1 << 1 UMETA(DisplayName = "B|flag \"quoted\""),
};

UENUM(BlueprintType, Flags)
enum ELM_FixtureFixedRegular : uint8
{
	FixedA,
	FixedB
};

DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(FLM_OnPhaseChanged, ELM_FixturePhase, NewPhase);
DECLARE_DYNAMIC_MULTICAST_DELEGATE(FLM_OnSimpleEvent);
DECLARE_DELEGATE_OneParam(FLM_NativeOnly, int32);

#define LM_FIXTURE_SQUARE(X) \
	((X) * \
	 (X))

/**
 * Overrides applied on top of a preset.
 * Each value has its own toggle.
 */
USTRUCT(BlueprintType)
struct ZNLUMARCH_API FLM_FixtureOverrides
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_Intensity : 1;

	UPROPERTY(EditAnywhere, Category = "Overrides", meta = (InlineEditConditionToggle))
	uint32 bOverride_Color : 1;

	/** Light intensity in lux.
	 *  Clamped to non-negative values. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (EditCondition = "bOverride_Intensity", ClampMin = "0.0", UIMax = 150000, Units = "Lux"))
	float Intensity = 1.f;

	UPROPERTY(EditAnywhere, Category = "Overrides|Color", meta = (EditCondition = "bOverride_Color && Intensity > 0, really", HideAlphaChannel))
	FLinearColor Color = FLinearColor(1.f, 0.9f, 0.8f, 1.f);

	// Not reflected.
	int32 Scratch = 0;
	bool bNativeOnly{false};

	FLM_FixtureOverrides() : bOverride_Intensity(0), bOverride_Color(0) {}
	explicit FLM_FixtureOverrides(float InIntensity) : bOverride_Intensity(1), bOverride_Color(0), Intensity(InIntensity), Color{1.f, 1.f, 1.f, 1.f} {}

	bool operator==(const FLM_FixtureOverrides& Other) const
	{
		return Intensity == Other.Intensity; // braces { in comments } are ignored
	}
};

/* Plain block comment tooltip. */
USTRUCT()
struct FLM_FixtureDerived : public FLM_FixtureOverrides
{
	GENERATED_BODY()

	UPROPERTY(VisibleAnywhere, Category = "Derived")
	FString Label = TEXT("a \"quoted\" {label} with ; and // inside");

	UPROPERTY()
	TArray<FLM_FixtureOverrides> Nested;

	UPROPERTY(EditAnywhere, Category = "Derived", meta = (ClampMin = -1, ClampMax = 1))
	double Balance = 0.0;
};
