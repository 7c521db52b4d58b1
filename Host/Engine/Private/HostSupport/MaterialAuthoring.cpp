// The material editor's stand-in: edits a material's declared parameter list.
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"

struct FHostMaterialAuthoring
{
	using FDeclaredParameter = UMaterial::FDeclaredParameter;

	struct FFound
	{
		TArray<FDeclaredParameter>* List = nullptr;
		int32 Index = INDEX_NONE;
	};

	static FFound Find(UMaterial* Material, FName ParameterName)
	{
		for (EMaterialParameterType Type : { EMaterialParameterType::Scalar, EMaterialParameterType::Vector })
		{
			TArray<FDeclaredParameter>* List = Material->GetDeclaredParameters(Type);
			const int32 Index = List->IndexOfByPredicate([ParameterName](const FDeclaredParameter& Parameter) { return Parameter.Info.Name == ParameterName; });
			if (Index != INDEX_NONE)
			{
				return { List, Index };
			}
		}
		return {};
	}

	static bool Add(UMaterial* Material, FName ParameterName, const FMaterialParameterValue& DefaultValue)
	{
		if (!Material || ParameterName.IsNone() || Find(Material, ParameterName).List)
		{
			return false;
		}
		FDeclaredParameter Parameter;
		Parameter.Info = FMaterialParameterInfo(ParameterName);
		Parameter.Metadata.Value = DefaultValue;
		Parameter.Metadata.ExpressionGuid = FGuid::NewGuid();
		Material->GetDeclaredParameters(DefaultValue.Type)->Add(Parameter);
		return true;
	}

	static bool Rename(UMaterial* Material, FName OldName, FName NewName)
	{
		if (!Material || NewName.IsNone())
		{
			return false;
		}
		const FFound Old = Find(Material, OldName);
		if (!Old.List)
		{
			return false;
		}
		// Names compare case-insensitively, so a change of case finds the parameter itself.
		const FFound Clash = Find(Material, NewName);
		if (Clash.List && (Clash.List != Old.List || Clash.Index != Old.Index))
		{
			return false;
		}
		(*Old.List)[Old.Index].Info.Name = NewName;
		return true;
	}

	static bool Remove(UMaterial* Material, FName ParameterName)
	{
		const FFound Found = Material ? Find(Material, ParameterName) : FFound();
		if (!Found.List)
		{
			return false;
		}
		Found.List->RemoveAt(Found.Index);
		return true;
	}

	static bool SetDefault(UMaterial* Material, FName ParameterName, const FMaterialParameterValue& DefaultValue)
	{
		const FFound Found = Material ? Find(Material, ParameterName) : FFound();
		if (!Found.List || Found.List != Material->GetDeclaredParameters(DefaultValue.Type))
		{
			return false;
		}
		(*Found.List)[Found.Index].Metadata.Value = DefaultValue;
		return true;
	}
};

bool AddScalarParameter(UMaterial* Material, FName ParameterName, float DefaultValue)
{
	return FHostMaterialAuthoring::Add(Material, ParameterName, FMaterialParameterValue(DefaultValue));
}

bool AddVectorParameter(UMaterial* Material, FName ParameterName, const FLinearColor& DefaultValue)
{
	return FHostMaterialAuthoring::Add(Material, ParameterName, FMaterialParameterValue(DefaultValue));
}

bool RenameParameter(UMaterial* Material, FName OldName, FName NewName)
{
	return FHostMaterialAuthoring::Rename(Material, OldName, NewName);
}

bool RemoveParameter(UMaterial* Material, FName ParameterName)
{
	return FHostMaterialAuthoring::Remove(Material, ParameterName);
}

bool SetScalarParameterDefault(UMaterial* Material, FName ParameterName, float DefaultValue)
{
	return FHostMaterialAuthoring::SetDefault(Material, ParameterName, FMaterialParameterValue(DefaultValue));
}

bool SetVectorParameterDefault(UMaterial* Material, FName ParameterName, const FLinearColor& DefaultValue)
{
	return FHostMaterialAuthoring::SetDefault(Material, ParameterName, FMaterialParameterValue(DefaultValue));
}
