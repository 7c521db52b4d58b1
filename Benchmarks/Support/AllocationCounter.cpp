#include "Support/AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

// Replaced global allocation functions. Every form of operator new ends in one of the two counting
// helpers below and every form of operator delete in free(), so sized, array, aligned and nothrow
// variants all count alike.

namespace
{
	std::atomic<std::uint64_t> AllocationCount{0};
	std::atomic<std::uint64_t> DeallocationCount{0};
	std::atomic<std::uint64_t> AllocatedBytes{0};

	void Record(const std::size_t Size)
	{
		AllocationCount.fetch_add(1, std::memory_order_relaxed);
		AllocatedBytes.fetch_add(Size, std::memory_order_relaxed);
	}

	void* TryAllocate(std::size_t Size, const std::size_t Alignment)
	{
		if (Size == 0)
		{
			Size = 1;
		}
		void* Memory = nullptr;
		if (Alignment <= alignof(std::max_align_t))
		{
			Memory = std::malloc(Size);
		}
		else
		{
			// aligned_alloc wants a size that is a multiple of the alignment.
			Memory = std::aligned_alloc(Alignment, (Size + Alignment - 1) / Alignment * Alignment);
		}
		if (Memory)
		{
			Record(Size);
		}
		return Memory;
	}

	void* Allocate(const std::size_t Size, const std::size_t Alignment)
	{
		for (;;)
		{
			if (void* Memory = TryAllocate(Size, Alignment))
			{
				return Memory;
			}
			const std::new_handler Handler = std::get_new_handler();
			if (!Handler)
			{
				throw std::bad_alloc();
			}
			Handler();
		}
	}

	void* AllocateNoThrow(const std::size_t Size, const std::size_t Alignment) noexcept
	{
		try
		{
			return Allocate(Size, Alignment);
		}
		catch (...)
		{
			return nullptr;
		}
	}

	void Free(void* Memory) noexcept
	{
		if (Memory)
		{
			DeallocationCount.fetch_add(1, std::memory_order_relaxed);
			std::free(Memory);
		}
	}
}

void* operator new(std::size_t Size) { return Allocate(Size, 0); }
void* operator new[](std::size_t Size) { return Allocate(Size, 0); }
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept { return AllocateNoThrow(Size, 0); }
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept { return AllocateNoThrow(Size, 0); }
void* operator new(std::size_t Size, std::align_val_t Alignment) { return Allocate(Size, static_cast<std::size_t>(Alignment)); }
void* operator new[](std::size_t Size, std::align_val_t Alignment) { return Allocate(Size, static_cast<std::size_t>(Alignment)); }
void* operator new(std::size_t Size, std::align_val_t Alignment, const std::nothrow_t&) noexcept { return AllocateNoThrow(Size, static_cast<std::size_t>(Alignment)); }
void* operator new[](std::size_t Size, std::align_val_t Alignment, const std::nothrow_t&) noexcept { return AllocateNoThrow(Size, static_cast<std::size_t>(Alignment)); }

void operator delete(void* Memory) noexcept { Free(Memory); }
void operator delete[](void* Memory) noexcept { Free(Memory); }
void operator delete(void* Memory, std::size_t) noexcept { Free(Memory); }
void operator delete[](void* Memory, std::size_t) noexcept { Free(Memory); }
void operator delete(void* Memory, const std::nothrow_t&) noexcept { Free(Memory); }
void operator delete[](void* Memory, const std::nothrow_t&) noexcept { Free(Memory); }
void operator delete(void* Memory, std::align_val_t) noexcept { Free(Memory); }
void operator delete[](void* Memory, std::align_val_t) noexcept { Free(Memory); }
void operator delete(void* Memory, std::size_t, std::align_val_t) noexcept { Free(Memory); }
void operator delete[](void* Memory, std::size_t, std::align_val_t) noexcept { Free(Memory); }
void operator delete(void* Memory, std::align_val_t, const std::nothrow_t&) noexcept { Free(Memory); }
void operator delete[](void* Memory, std::align_val_t, const std::nothrow_t&) noexcept { Free(Memory); }

namespace ZNBenchmark
{
	FAllocationTotals GetAllocationTotals()
	{
		FAllocationTotals Totals;
		Totals.Allocations = AllocationCount.load(std::memory_order_relaxed);
		Totals.Deallocations = DeallocationCount.load(std::memory_order_relaxed);
		Totals.Bytes = AllocatedBytes.load(std::memory_order_relaxed);
		return Totals;
	}

	FAllocationMeter::FAllocationMeter()
		: Start(GetAllocationTotals())
	{
	}

	FAllocationTotals FAllocationMeter::Elapsed() const
	{
		const FAllocationTotals Now = GetAllocationTotals();
		FAllocationTotals Delta;
		Delta.Allocations = Now.Allocations - Start.Allocations;
		Delta.Deallocations = Now.Deallocations - Start.Deallocations;
		Delta.Bytes = Now.Bytes - Start.Bytes;
		return Delta;
	}

	void FAllocationMeter::Report(benchmark::State& State) const
	{
		const FAllocationTotals Delta = Elapsed();
		State.counters["allocs/iter"] = benchmark::Counter(static_cast<double>(Delta.Allocations), benchmark::Counter::kAvgIterations);
		State.counters["frees/iter"] = benchmark::Counter(static_cast<double>(Delta.Deallocations), benchmark::Counter::kAvgIterations);
		State.counters["bytes/iter"] = benchmark::Counter(static_cast<double>(Delta.Bytes), benchmark::Counter::kAvgIterations);
	}
}
