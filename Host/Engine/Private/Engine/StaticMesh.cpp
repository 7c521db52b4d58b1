// Static meshes: their material slots.
#include "Engine/StaticMesh.h"
#include "Materials/MaterialInterface.h"

UMaterialInterface* UStaticMesh::GetMaterial(int32 MaterialIndex) const
{
	return StaticMaterials.IsValidIndex(MaterialIndex) ? StaticMaterials[MaterialIndex].MaterialInterface.Get() : nullptr;
}

int32 UStaticMesh::GetMaterialIndex(FName MaterialSlotName) const
{
	return StaticMaterials.IndexOfByPredicate([MaterialSlotName](const FStaticMaterial& Slot) { return Slot.MaterialSlotName == MaterialSlotName; });
}

FName UStaticMesh::AddMaterial(UMaterialInterface* Material)
{
	if (!Material)
	{
		return NAME_None;
	}
	// Slots are named after the material; a taken name gets the next free number (M, M_0, M_1...: the number prints one less).
	FName SlotName = Material->GetFName();
	for (const FStaticMaterial& Slot : StaticMaterials)
	{
		const FName Existing = Slot.MaterialSlotName;
		if (Existing.GetComparisonIndex() == SlotName.GetComparisonIndex())
		{
			SlotName = FName(SlotName, FMath::Max(SlotName.GetNumber(), Existing.GetNumber() + 1));
		}
	}
	StaticMaterials.Emplace(Material, SlotName);
	return SlotName;
}
