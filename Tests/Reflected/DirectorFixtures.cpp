#include "DirectorFixtures.h"

void ULumarchRegistryListener::HandleLumarchRegistered(AZN_Lumarch* Lumarch)
{
	Received.Add(Lumarch);
}

void UPossessionListener::HandlePossessedPawnChanged(APawn* OldPawn, APawn* NewPawn)
{
	Changes.Add({OldPawn, NewPawn});
}
