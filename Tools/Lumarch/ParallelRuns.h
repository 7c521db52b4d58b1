// Work of a run of the previewer spread over the machine's cores: Runs runs, the first on the
// calling thread, the others on threads of their own, all joined before it returns.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

/** How many runs Items items are worth: Requested (0: one per core), at least 1, at most Items. */
inline int RunsFor(size_t Items, int Requested = 0)
{
	const int Cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
	return std::clamp(Requested > 0 ? Requested : Cores, 1, static_cast<int>(std::max<size_t>(1, Items)));
}

template <class FRun>
void RunInParallel(int Runs, const FRun& Run)
{
	std::vector<std::thread> Workers;
	for (int Index = 1; Index < Runs; ++Index)
	{
		Workers.emplace_back(Run, Index);
	}
	Run(0);
	for (std::thread& Worker : Workers)
	{
		Worker.join();
	}
}
