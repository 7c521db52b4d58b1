// A controller: the non-physical actor that possesses a pawn and directs it.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Controller.generated.h"

class APawn;

DECLARE_DYNAMIC_MULTICAST_DELEGATE_TwoParams(FOnPossessedPawnChanged, APawn*, OldPawn, APawn*, NewPawn);

/**
 * Host departures: no network role or authority (every controller may possess), no control
 * rotation, no player state; possession is Possess / UnPossess and the pawn's back reference.
 */
UCLASS(Abstract, NotBlueprintable)
class ENGINE_API AController : public AActor
{
	GENERATED_BODY()

public:
	AController();

	/** Fired when the possessed pawn changes, with the old pawn (null if none) and the new one (null on unpossession). */
	UPROPERTY(BlueprintAssignable, Category = "Pawn")
	FOnPossessedPawnChanged OnPossessedPawnChanged;

	/** Takes control of InPawn, releasing the pawn held before and any controller InPawn had. */
	virtual void Possess(APawn* InPawn) final;

	/** Releases the current pawn, if any. */
	virtual void UnPossess() final;

	APawn* GetPawn() const { return Pawn; }

	template <class T>
	T* GetPawn() const { return Cast<T>(Pawn); }

protected:
	virtual void OnPossess(APawn* InPawn);
	virtual void OnUnPossess();

	/** Sets the pawn without any notification. */
	virtual void SetPawn(APawn* InPawn);

private:
	UPROPERTY()
	TObjectPtr<APawn> Pawn;
};
