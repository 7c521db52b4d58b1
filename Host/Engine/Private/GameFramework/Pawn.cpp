#include "GameFramework/Pawn.h"
#include "GameFramework/Controller.h"

APawn::APawn()
{
	PrimaryActorTick.bCanEverTick = true;
}

void APawn::PossessedBy(AController* NewController)
{
	Controller = NewController;
}

void APawn::UnPossessed()
{
	Controller = nullptr;
}
