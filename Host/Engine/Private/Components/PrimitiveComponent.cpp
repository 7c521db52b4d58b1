// Material slots of primitives. Overrides live on the mesh component; a static mesh component falls back
// to its mesh's materials. Dynamic instances are created once per slot and reused afterwards.
#include "Components/PrimitiveComponent.h"
#include "Components/MeshComponent.h"
#include "Components/StaticMeshComponent.h"
#include "Engine/StaticMesh.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "Materials/MaterialInterface.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Logging/LogMacros.h"

DEFINE_LOG_CATEGORY_STATIC(LogPrimitiveComponent, Log, All);
DEFINE_LOG_CATEGORY_STATIC(LogStaticMesh, Log, All);

// ---- UPrimitiveComponent -------------------------------------------------------------------------

UPrimitiveComponent::UPrimitiveComponent()
{
	CastShadow = false;
	bCastDynamicShadow = true;
	bCastStaticShadow = true;
}

void UPrimitiveComponent::SetCastShadow(bool NewCastShadow)
{
	if (NewCastShadow != CastShadow)
	{
		CastShadow = NewCastShadow;
		MarkRenderStateDirty();
	}
}

int32 UPrimitiveComponent::GetNumMaterials() const
{
	return 0;
}

UMaterialInterface* UPrimitiveComponent::GetMaterial(int32 ElementIndex) const
{
	(void)ElementIndex;
	return nullptr;
}

void UPrimitiveComponent::SetMaterial(int32 ElementIndex, UMaterialInterface* Material)
{
	(void)ElementIndex;
	(void)Material;
}

UMaterialInstanceDynamic* UPrimitiveComponent::CreateDynamicMaterialInstance(int32 ElementIndex, UMaterialInterface* SourceMaterial, FName OptionalName)
{
	if (SourceMaterial)
	{
		SetMaterial(ElementIndex, SourceMaterial);
	}

	UMaterialInterface* MaterialInstance = GetMaterial(ElementIndex);
	UMaterialInstanceDynamic* MID = Cast<UMaterialInstanceDynamic>(MaterialInstance);

	if (MaterialInstance && !MID)
	{
		// Create and set the dynamic material instance.
		MID = UMaterialInstanceDynamic::Create(MaterialInstance, this, OptionalName);
		SetMaterial(ElementIndex, MID);
	}
	else if (!MaterialInstance)
	{
		UE_LOG(LogPrimitiveComponent, Warning, TEXT("CreateDynamicMaterialInstance on %s: Material index %d is invalid."), *GetPathName(), ElementIndex);
	}

	return MID;
}

// ---- UMeshComponent ------------------------------------------------------------------------------

UMeshComponent::UMeshComponent()
{
	CastShadow = true;
}

UMaterialInterface* UMeshComponent::GetMaterial(int32 ElementIndex) const
{
	return OverrideMaterials.IsValidIndex(ElementIndex) ? OverrideMaterials[ElementIndex].Get() : nullptr;
}

void UMeshComponent::SetMaterial(int32 ElementIndex, UMaterialInterface* Material)
{
	if (ElementIndex < 0 || (OverrideMaterials.IsValidIndex(ElementIndex) && OverrideMaterials[ElementIndex] == Material))
	{
		return;
	}
	// Grow the array if the new index is too large.
	if (OverrideMaterials.Num() <= ElementIndex)
	{
		OverrideMaterials.AddZeroed(ElementIndex + 1 - OverrideMaterials.Num());
	}
	OverrideMaterials[ElementIndex] = Material;
	MarkRenderStateDirty();
}

TArray<UMaterialInterface*> UMeshComponent::GetMaterials() const
{
	TArray<UMaterialInterface*> OutMaterials;
	const int32 TotalNumMaterials = GetNumMaterials();
	for (int32 MaterialIndex = 0; MaterialIndex < TotalNumMaterials; ++MaterialIndex)
	{
		OutMaterials.Add(GetMaterial(MaterialIndex));
	}
	return OutMaterials;
}

void UMeshComponent::EmptyOverrideMaterials()
{
	if (OverrideMaterials.Num())
	{
		OverrideMaterials.Reset();
		MarkRenderStateDirty();
	}
}

// ---- UStaticMeshComponent ------------------------------------------------------------------------

UStaticMeshComponent::UStaticMeshComponent()
{
	StaticMesh = nullptr;
}

bool UStaticMeshComponent::SetStaticMesh(UStaticMesh* NewMesh)
{
	// Do nothing if we are already using the supplied static mesh.
	if (NewMesh == GetStaticMesh())
	{
		return false;
	}

	// Don't allow changing static meshes if "static" and registered, once play has begun.
	const AActor* Owner = GetOwner();
	if (const UWorld* World = GetWorld())
	{
		if (World->HasBegunPlay() && !AreDynamicDataChangesAllowed() && Owner != nullptr)
		{
			UE_LOG(LogStaticMesh, Warning, TEXT("Calling SetStaticMesh on '%s' but Mobility is Static."), *GetPathName());
			return false;
		}
	}

	StaticMesh = NewMesh;
	MarkRenderStateDirty();
	return true;
}

int32 UStaticMeshComponent::GetNumMaterials() const
{
	return GetStaticMesh() ? GetStaticMesh()->GetStaticMaterials().Num() : 0;
}

UMaterialInterface* UStaticMeshComponent::GetMaterial(int32 MaterialIndex) const
{
	// A non-null override wins, else the mesh's own material.
	if (OverrideMaterials.IsValidIndex(MaterialIndex) && OverrideMaterials[MaterialIndex])
	{
		return OverrideMaterials[MaterialIndex];
	}
	return GetStaticMesh() ? GetStaticMesh()->GetMaterial(MaterialIndex) : nullptr;
}
