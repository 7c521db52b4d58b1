// A simple pawn with a place in the world.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Pawn.h"
#include "DefaultPawn.generated.h"

class USceneComponent;

/** Host departures: the collision sphere is a plain scene component; no movement, mesh or input. */
UCLASS(Config = Game, Blueprintable, BlueprintType)
class ENGINE_API ADefaultPawn : public APawn
{
	GENERATED_BODY()

public:
	ADefaultPawn();

private:
	UPROPERTY(Category = "Pawn", VisibleAnywhere, BlueprintReadOnly, meta = (AllowPrivateAccess = "true"))
	TObjectPtr<USceneComponent> CollisionComponent;
};
