#include "VoxelLayer.h"
#include "VoxelLayerStack.h"
#include "VoxelStackLayer.h"
#include "VoxelWorld.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

namespace
{
	/** One shared default object of each kind, made on first use in the transient package. */
	template <typename T>
	T* GetDefaultAsset(const TCHAR* Name)
	{
		static TWeakObjectPtr<T> Default;
		if (!Default.IsValid())
		{
			Default = NewObject<T>(GetTransientPackage(), Name);
		}
		return Default.Get();
	}
}

UVoxelHeightLayer* UVoxelHeightLayer::Default()
{
	return GetDefaultAsset<UVoxelHeightLayer>(TEXT("DefaultHeightLayer"));
}

float UVoxelHeightLayer::GetHeightAt(double X, double Y) const
{
	return HeightFunction ? HeightFunction(X, Y) : Height;
}

UVoxelVolumeLayer* UVoxelVolumeLayer::Default()
{
	return GetDefaultAsset<UVoxelVolumeLayer>(TEXT("DefaultVolumeLayer"));
}

UVoxelLayerStack* UVoxelLayerStack::Default()
{
	UVoxelLayerStack* Stack = GetDefaultAsset<UVoxelLayerStack>(TEXT("DefaultLayerStack"));
	if (Stack->HeightLayers.IsEmpty())
	{
		Stack->HeightLayers.Add(UVoxelHeightLayer::Default());
		Stack->VolumeLayers.Add(UVoxelVolumeLayer::Default());
	}
	return Stack;
}

FVoxelStackLayer::FVoxelStackLayer() = default;

FVoxelStackLayer::FVoxelStackLayer(UVoxelLayerStack* InStack, UVoxelLayer* InLayer)
	: Stack(InStack)
	, Layer(InLayer)
{
}

bool FVoxelStackLayer::IsValid() const
{
	if (Stack == nullptr)
	{
		return false;
	}
	if (Layer == nullptr)
	{
		return !Stack->HeightLayers.IsEmpty() || !Stack->VolumeLayers.IsEmpty();
	}
	if (UVoxelHeightLayer* HeightLayer = Cast<UVoxelHeightLayer>(Layer))
	{
		return Stack->HeightLayers.Contains(HeightLayer);
	}
	if (UVoxelVolumeLayer* VolumeLayer = Cast<UVoxelVolumeLayer>(Layer))
	{
		return Stack->VolumeLayers.Contains(VolumeLayer);
	}
	return false;
}

FVoxelStackHeightLayer::FVoxelStackHeightLayer()
	: Stack(UVoxelLayerStack::Default())
	, Layer(UVoxelHeightLayer::Default())
{
}

FVoxelStackHeightLayer::FVoxelStackHeightLayer(UVoxelLayerStack* InStack, UVoxelHeightLayer* InLayer)
	: Stack(InStack)
	, Layer(InLayer)
{
}

FVoxelStackHeightLayer::operator FVoxelStackLayer() const
{
	return FVoxelStackLayer(Stack, Layer);
}

bool FVoxelStackHeightLayer::IsValid() const
{
	return FVoxelStackLayer(Stack, Layer).IsValid();
}

AVoxelWorld::AVoxelWorld()
{
	SetRootComponent(CreateDefaultSubobject<USceneComponent>(TEXT("Root")));
}
