#include "DirectorFixtures.h"

void ULumarchRegistryListener::HandleLumarchRegistered(AZN_Lumarch* Lumarch)
{
	Received.Add(Lumarch);
}
