#include "ObjectModelFixtures.h"

float UFixtureObject::Scaled(float Factor, int32& OutCount) const
{
	OutCount = References.Num();
	return Hidden * Factor;
}

#if WITH_EDITOR
void UFixtureObject::PostEditChangeProperty(FPropertyChangedEvent& Event)
{
	EditJournal.Add(FString::Printf(TEXT("Property:%s/%s"), *Event.GetMemberPropertyName().ToString(), *Event.GetPropertyName().ToString()));
	Super::PostEditChangeProperty(Event);
}

void UFixtureObject::PostEditChangeChainProperty(FPropertyChangedChainEvent& Event)
{
	FString Chain;
	for (auto* Node = Event.PropertyChain.GetHead(); Node; Node = Node->GetNextNode())
	{
		Chain += Chain.IsEmpty() ? TEXT("") : TEXT(">");
		Chain += Node->GetValue()->GetName();
	}
	EditJournal.Add(FString::Printf(TEXT("Chain:%s/%s:%s:%u"), *Event.GetMemberPropertyName().ToString(), *Event.GetPropertyName().ToString(), *Chain, (uint32)Event.ChangeType));
	Super::PostEditChangeChainProperty(Event);
}
#endif

UFixtureTickingComponent::UFixtureTickingComponent()
{
	PrimaryComponentTick.bCanEverTick = true;
}

void UFixtureTickingComponent::OnRegister()
{
	Super::OnRegister();
	AFixtureActor::SharedJournal().Add(FString::Printf(TEXT("%s.OnRegister"), *GetName()));
}

void UFixtureTickingComponent::TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
	Super::TickComponent(DeltaTime, TickType, ThisTickFunction);
	++TickCount;
	LastDelta = DeltaTime;
	AFixtureActor::SharedJournal().Add(FString::Printf(TEXT("%s.TickComponent"), *GetName()));
}

void UFixtureTickingComponent::BeginPlay()
{
	Super::BeginPlay();
	AFixtureActor::SharedJournal().Add(FString::Printf(TEXT("%s.BeginPlay"), *GetName()));
}

void UFixtureTickingComponent::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	AFixtureActor::SharedJournal().Add(FString::Printf(TEXT("%s.EndPlay"), *GetName()));
	Super::EndPlay(EndPlayReason);
}

AFixtureActor::AFixtureActor()
{
	PrimaryActorTick.bCanEverTick = true;
	Root = CreateDefaultSubobject<USceneComponent>(TEXT("Root"));
	SetRootComponent(Root);
	Ticker = CreateDefaultSubobject<UFixtureTickingComponent>(TEXT("Ticker"));
	Ticker->SetupAttachment(Root);
}

TArray<FString>& AFixtureActor::SharedJournal()
{
	static TArray<FString> Journal;
	return Journal;
}

void AFixtureActor::BeginPlay()
{
	SharedJournal().Add(TEXT("Actor.BeginPlay"));
	Super::BeginPlay();
}

void AFixtureActor::Tick(float DeltaSeconds)
{
	Super::Tick(DeltaSeconds);
	++TickCount;
	SharedJournal().Add(TEXT("Actor.Tick"));
	if (TickHook)
	{
		TickHook();
	}
}

void AFixtureActor::PostRegisterAllComponents()
{
	Super::PostRegisterAllComponents();
	++RegisterAllCount;
	SharedJournal().Add(TEXT("Actor.PostRegisterAllComponents"));
}

void AFixtureActor::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	EndPlayReasons.Add(EndPlayReason);
	SharedJournal().Add(TEXT("Actor.EndPlay"));
	Super::EndPlay(EndPlayReason);
}
