// What the director's fog and depth of field follow: the pawn of a player controller handed over by
// the game, through every change of possession, or a pawn set directly.
#include "Actors/ZN_Lumarch.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"

void AZN_Lumarch::RegisterPlayerController(APlayerController* InPC)
{
	if (InPC == nullptr || BoundPC == InPC)
	{
		return;
	}
	if (APlayerController* Previous = BoundPC.Get())
	{
		Previous->OnPossessedPawnChanged.RemoveDynamic(this, &AZN_Lumarch::HandlePossessedPawnChanged);
	}
	BoundPC = InPC;
	InPC->OnPossessedPawnChanged.AddDynamic(this, &AZN_Lumarch::HandlePossessedPawnChanged);
	// A controller without a pawn yet is followed from its first possession.
	SetTrackingTarget(InPC->GetPawn());
}

void AZN_Lumarch::UnregisterPlayerController(APlayerController* InPC)
{
	if (InPC == nullptr || BoundPC != InPC)
	{
		return;
	}
	InPC->OnPossessedPawnChanged.RemoveDynamic(this, &AZN_Lumarch::HandlePossessedPawnChanged);
	BoundPC.Reset();
}

void AZN_Lumarch::HandlePossessedPawnChanged(APawn* OldPawn, APawn* NewPawn)
{
	(void)OldPawn;
	// An unpossession leaves the last pawn as the target: SetTrackingTarget ignores null.
	SetTrackingTarget(NewPawn);
}

void AZN_Lumarch::SetTrackingTarget(APawn* Pawn) const
{
	if (!IsValid(Pawn))
	{
		return;
	}
	PostProcess->SetTrackingTarget(Pawn);
	ExponentialHeightFog->SetTrackingTarget(Pawn);
}
