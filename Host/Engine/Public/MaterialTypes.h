// How material parameters are named (FMaterialParameterInfo and its hashed form) and how their
// values travel (FMaterialParameterValue, FMaterialParameterMetadata).
#pragma once

#include "CoreMinimal.h"
#include "Misc/EnumClassFlags.h"
#include "UObject/ObjectMacros.h"
#include "MaterialTypes.generated.h"

/** Where a parameter lives: in a material layer, in a layer blend, or in the material itself. */
UENUM(BlueprintType)
enum EMaterialParameterAssociation : int
{
	LayerParameter,
	BlendParameter,
	GlobalParameter,
};

/** The kinds of material parameter. The host's materials hold scalar and vector parameters. */
enum class EMaterialParameterType : uint8
{
	Scalar = 0,
	Vector,
	DoubleVector,
	Texture,
	Font,
	RuntimeVirtualTexture,
	SparseVolumeTexture,
	StaticSwitch,

	NumRuntime = StaticSwitch,

	StaticComponentMask,

	Num,
	None = 0xff,
};

/** Where a value lookup may look: the material's own values, the overrides of instances, or both. */
enum class EMaterialGetParameterValueFlags : uint32
{
	None = 0u,
	CheckNonOverrides = (1u << 0),
	CheckInstanceOverrides = (1u << 1),
	CheckAll = CheckNonOverrides | CheckInstanceOverrides,
	Default = CheckAll,
};
ENUM_CLASS_FLAGS(EMaterialGetParameterValueFlags)

/** Names a parameter: its name, association and layer index (INDEX_NONE for global parameters). */
USTRUCT(BlueprintType)
struct FMaterialParameterInfo
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = ParameterInfo)
	FName Name;

	/** Whether this is a global parameter, or part of a layer or blend */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = ParameterInfo)
	TEnumAsByte<EMaterialParameterAssociation> Association;

	/** Layer/blend index this parameter belongs to */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = ParameterInfo)
	int32 Index;

	FMaterialParameterInfo(const TCHAR* InName, EMaterialParameterAssociation InAssociation = GlobalParameter, int32 InIndex = INDEX_NONE)
		: Name(InName), Association(InAssociation), Index(InIndex)
	{
	}
	FMaterialParameterInfo(FName InName = FName(), EMaterialParameterAssociation InAssociation = GlobalParameter, int32 InIndex = INDEX_NONE)
		: Name(InName), Association(InAssociation), Index(InIndex)
	{
	}
	inline explicit FMaterialParameterInfo(const struct FMemoryImageMaterialParameterInfo& Rhs);

	FName GetName() const { return Name; }

	FString ToString() const
	{
		return Name.ToString() + FString::Printf(TEXT(" %d %d"), (int32)Association.GetValue(), Index);
	}

	friend bool operator==(const FMaterialParameterInfo& Lhs, const FMaterialParameterInfo& Rhs)
	{
		return Lhs.Name.IsEqual(Rhs.Name) && Lhs.Association == Rhs.Association && Lhs.Index == Rhs.Index;
	}
	friend bool operator!=(const FMaterialParameterInfo& Lhs, const FMaterialParameterInfo& Rhs) { return !(Lhs == Rhs); }
	friend uint32 GetTypeHash(const FMaterialParameterInfo& Value)
	{
		return HashCombine(HashCombine(GetTypeHash(Value.Name), (uint32)Value.Association.GetValue()), (uint32)Value.Index);
	}
};

/**
 * The parameter name the engine keeps in cooked material data and passes to value lookups.
 * Converts implicitly from FName, const TCHAR* and FMaterialParameterInfo, so lookups take any of them.
 *
 * Host departure: the engine stores the name as an FScriptName in a memory-image layout; the host
 * keeps an FName (the same comparisons, case-insensitive).
 */
struct FMemoryImageMaterialParameterInfo
{
	FName Name;
	int32 Index;
	TEnumAsByte<EMaterialParameterAssociation> Association;

	FMemoryImageMaterialParameterInfo(const FName& InName = FName(), EMaterialParameterAssociation InAssociation = GlobalParameter, int32 InIndex = INDEX_NONE)
		: Name(InName), Index(InIndex), Association(InAssociation)
	{
	}
	FMemoryImageMaterialParameterInfo(const TCHAR* InName, EMaterialParameterAssociation InAssociation = GlobalParameter, int32 InIndex = INDEX_NONE)
		: Name(InName), Index(InIndex), Association(InAssociation)
	{
	}
	FMemoryImageMaterialParameterInfo(const FMaterialParameterInfo& Rhs)
		: Name(Rhs.Name), Index(Rhs.Index), Association(Rhs.Association)
	{
	}

	FName GetName() const { return Name; }

	FString ToString() const { return FMaterialParameterInfo(*this).ToString(); }

	friend bool operator==(const FMemoryImageMaterialParameterInfo& Lhs, const FMemoryImageMaterialParameterInfo& Rhs)
	{
		return Lhs.Name.IsEqual(Rhs.Name) && Lhs.Association == Rhs.Association && Lhs.Index == Rhs.Index;
	}
	friend bool operator!=(const FMemoryImageMaterialParameterInfo& Lhs, const FMemoryImageMaterialParameterInfo& Rhs) { return !(Lhs == Rhs); }
	friend bool operator==(const FMaterialParameterInfo& Lhs, const FMemoryImageMaterialParameterInfo& Rhs)
	{
		return Lhs.Name.IsEqual(Rhs.Name) && Lhs.Association == Rhs.Association && Lhs.Index == Rhs.Index;
	}
	friend bool operator==(const FMemoryImageMaterialParameterInfo& Lhs, const FMaterialParameterInfo& Rhs) { return Rhs == Lhs; }
	friend uint32 GetTypeHash(const FMemoryImageMaterialParameterInfo& Value) { return GetTypeHash(FMaterialParameterInfo(Value)); }
};

using FHashedMaterialParameterInfo = FMemoryImageMaterialParameterInfo;

inline FMaterialParameterInfo::FMaterialParameterInfo(const FMemoryImageMaterialParameterInfo& Rhs)
	: Name(Rhs.Name), Association(Rhs.Association), Index(Rhs.Index)
{
}

/** One parameter value of any kind; the host carries scalars and linear colours. */
struct FMaterialParameterValue
{
	FMaterialParameterValue() = default;
	FMaterialParameterValue(float InValue) : Type(EMaterialParameterType::Scalar) { Float[0] = InValue; }
	FMaterialParameterValue(const FLinearColor& InValue) : Type(EMaterialParameterType::Vector)
	{
		Float[0] = InValue.R;
		Float[1] = InValue.G;
		Float[2] = InValue.B;
		Float[3] = InValue.A;
	}

	float AsScalar() const
	{
		check(Type == EMaterialParameterType::Scalar);
		return Float[0];
	}
	FLinearColor AsLinearColor() const
	{
		check(Type == EMaterialParameterType::Vector);
		return FLinearColor(Float[0], Float[1], Float[2], Float[3]);
	}

	friend bool operator==(const FMaterialParameterValue& Lhs, const FMaterialParameterValue& Rhs)
	{
		if (Lhs.Type != Rhs.Type)
		{
			return false;
		}
		const int32 Count = Lhs.Type == EMaterialParameterType::Scalar ? 1 : 4;
		for (int32 Component = 0; Component < Count; ++Component)
		{
			if (Lhs.Float[Component] != Rhs.Float[Component])
			{
				return false;
			}
		}
		return true;
	}
	friend bool operator!=(const FMaterialParameterValue& Lhs, const FMaterialParameterValue& Rhs) { return !(Lhs == Rhs); }

	float Float[4] = { 0.f, 0.f, 0.f, 0.f };
	EMaterialParameterType Type = EMaterialParameterType::None;
};

/** A parameter's value and the material expression that declares it. */
struct FMaterialParameterMetadata
{
	FMaterialParameterValue Value;
	FGuid ExpressionGuid;
};
