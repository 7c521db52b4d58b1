#include "Modules/ModuleManager.h"
#include "VoxelQueryWorkers.h"

/** Starts the query service before the first world exists, so it sees every world come and go. */
class FVoxelModule : public IModuleInterface
{
public:
	virtual void StartupModule() override { UE::Host::VoxelQueries::StartService(); }
};

IMPLEMENT_MODULE(FVoxelModule, Voxel)
