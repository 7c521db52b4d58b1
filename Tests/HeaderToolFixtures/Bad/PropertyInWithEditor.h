#pragma once

#include "UObject/Object.h"
#include "PropertyInWithEditor.generated.h"

USTRUCT()
struct FLM_EditorGuard
{
	GENERATED_BODY()

#if WITH_EDITOR
	UPROPERTY()
	bool bEditorOnly = false;
#endif
};
