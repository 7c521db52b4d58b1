#include "GameFramework/Controller.h"
#include "GameFramework/Pawn.h"

AController::AController()
{
	PrimaryActorTick.bCanEverTick = true;
}

void AController::Possess(APawn* InPawn)
{
	APawn* CurrentPawn = GetPawn();
	// A pawn released behind the controller's back is still announced as a change.
	const bool bNotificationRequired = CurrentPawn != nullptr && CurrentPawn->GetController() == nullptr;

	OnPossess(InPawn);

	APawn* NewPawn = GetPawn();
	if (NewPawn != CurrentPawn || bNotificationRequired)
	{
		OnPossessedPawnChanged.Broadcast(bNotificationRequired ? nullptr : CurrentPawn, NewPawn);
	}
}

void AController::UnPossess()
{
	APawn* CurrentPawn = GetPawn();
	if (CurrentPawn == nullptr)
	{
		return;
	}
	OnUnPossess();
	if (GetPawn() != CurrentPawn)
	{
		OnPossessedPawnChanged.Broadcast(CurrentPawn, GetPawn());
	}
}

void AController::OnPossess(APawn* InPawn)
{
	if (!IsValid(InPawn) || InPawn == Pawn)
	{
		return;
	}
	if (Pawn != nullptr)
	{
		OnUnPossess();
	}
	if (AController* PreviousController = InPawn->GetController())
	{
		PreviousController->UnPossess();
	}
	SetPawn(InPawn);
	InPawn->PossessedBy(this);
}

void AController::OnUnPossess()
{
	if (Pawn != nullptr)
	{
		Pawn->UnPossessed();
		SetPawn(nullptr);
	}
}

void AController::SetPawn(APawn* InPawn)
{
	Pawn = InPawn;
}
