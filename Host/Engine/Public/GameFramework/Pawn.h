// A pawn: an actor that a controller can possess.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Pawn.generated.h"

class AController;

/** Host departures: no movement, input or network role. */
UCLASS(BlueprintType, Blueprintable)
class ENGINE_API APawn : public AActor
{
	GENERATED_BODY()

public:
	APawn();

	/** The controller currently possessing this pawn, or null. */
	AController* GetController() const { return Controller; }

	bool IsControlled() const { return Controller != nullptr; }

	/** Called by the controller when it takes this pawn. */
	virtual void PossessedBy(AController* NewController);

	/** Called by the controller when it releases this pawn. */
	virtual void UnPossessed();

	/** Controller currently possessing this pawn. */
	UPROPERTY()
	TObjectPtr<AController> Controller;
};
