// Host only: authoring material parameters, standing in for the material editor.
//
// In the engine a material's parameters come from the parameter expressions a designer places in
// the material editor; the host has no editor and no graph, so tests, the previewer and benchmarks
// declare them with these calls:
//
//     UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_PostProcess"));
//     AddScalarParameter(Material, TEXT("Exposure"), 1.f);
//     AddVectorParameter(Material, TEXT("Tint"), FLinearColor(1.f, 0.9f, 0.8f));
//     RenameParameter(Material, TEXT("Tint"), TEXT("ShadowTint"));   // as retyping a node's name
//
// The parameters are then listed (GetAllScalarParameterInfo...) in the order they were added and
// read and overridden exactly as engine code does. The plug-in never includes this header: it is
// not part of the engine.
#pragma once

#include "CoreMinimal.h"

class UMaterial;

/**
 * Declares a scalar parameter with its default value, after the material's other parameters, with a
 * new expression GUID. False, changing nothing, for a null material, an empty name, or a name the
 * material already declares (of either type: the editor refuses such a conflict).
 */
ENGINE_API bool AddScalarParameter(UMaterial* Material, FName ParameterName, float DefaultValue);

/** As AddScalarParameter, for a vector (linear colour) parameter. */
ENGINE_API bool AddVectorParameter(UMaterial* Material, FName ParameterName, const FLinearColor& DefaultValue);

/**
 * Renames a parameter in place (same position, default and GUID). False when the material lacks
 * OldName, NewName is empty, or another parameter already has NewName.
 */
ENGINE_API bool RenameParameter(UMaterial* Material, FName OldName, FName NewName);

/** Deletes a parameter; the ones after it move up. False when the material lacks it. */
ENGINE_API bool RemoveParameter(UMaterial* Material, FName ParameterName);

/** Changes a declared parameter's default value. False when the material has no such parameter of that type. */
ENGINE_API bool SetScalarParameterDefault(UMaterial* Material, FName ParameterName, float DefaultValue);
ENGINE_API bool SetVectorParameterDefault(UMaterial* Material, FName ParameterName, const FLinearColor& DefaultValue);
