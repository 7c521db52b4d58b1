#include "Actors/ZN_LumarchSubsystem.h"
#include "Actors/ZN_Lumarch.h"

AZN_Lumarch* UZN_LumarchSubsystem::GetDirector() const
{
	return Lumarch.Get();
}

void UZN_LumarchSubsystem::RegisterLumarch(AZN_Lumarch* InLumarch)
{
	if (InLumarch == nullptr)
	{
		return;
	}
	Lumarch = InLumarch;
	OnLumarchRegistered.Broadcast(InLumarch);
}

void UZN_LumarchSubsystem::UnRegisterLumarch(AZN_Lumarch* InLumarch)
{
	// Weak equality: a registration whose director was destroyed matches null.
	if (Lumarch == InLumarch)
	{
		Lumarch.Reset();
	}
}
