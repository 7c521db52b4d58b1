#pragma once

#include "LM_FixtureComponent.h"
#include "LM_FixtureEditorOnly.generated.h"

#if WITH_EDITORONLY_DATA
/** Editor-only bookkeeping; every member is editor-only data. */
USTRUCT()
struct FLM_FixtureEditorState
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, Category = "Editor")
	int32 Revision = 0;

	UPROPERTY()
	TArray<FName> History;
};
#endif

/** Derives from a class declared in another header. */
UCLASS()
class ULM_FixtureDerivedComponent : public ULM_FixtureComponent
{
	GENERATED_BODY()

public:
	ULM_FixtureDerivedComponent(const FObjectInitializer& ObjectInitializer)
		: ULM_FixtureComponent(ObjectInitializer)
	{
	}

	UPROPERTY(EditAnywhere, Category = "Derived")
	TObjectPtr<ULM_FixtureComponent> Sibling;

#if WITH_EDITORONLY_DATA
	UPROPERTY()
	FLM_FixtureEditorState EditorState;
#endif
};
