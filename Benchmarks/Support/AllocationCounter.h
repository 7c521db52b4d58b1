#pragma once

// Heap allocations seen by the global operator new of a benchmark binary. AllocationCounter.cpp
// replaces every form of operator new and delete with counting versions over malloc/free; link it
// into a benchmark program and measure a loop with FAllocationMeter.
//
// Only allocations made through operator new are counted: a direct malloc (or an allocator that
// calls it) is invisible here.

#include <cstdint>

namespace benchmark
{
	class State;
}

namespace ZNBenchmark
{
	/** Totals since the program started, over all threads. */
	struct FAllocationTotals
	{
		std::uint64_t Allocations = 0;
		std::uint64_t Deallocations = 0;
		std::uint64_t Bytes = 0;
	};

	FAllocationTotals GetAllocationTotals();

	/** Takes a snapshot when constructed; Report() publishes what was allocated since, per iteration. */
	class FAllocationMeter
	{
	public:
		FAllocationMeter();

		/** What happened since construction. */
		FAllocationTotals Elapsed() const;

		/** Sets the counters "allocs/iter", "frees/iter" and "bytes/iter", averaged over the benchmark's iterations. */
		void Report(benchmark::State& State) const;

	private:
		FAllocationTotals Start;
	};
}
