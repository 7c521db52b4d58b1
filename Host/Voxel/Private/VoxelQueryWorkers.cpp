// Queries are sampled on worker threads as soon as they are issued, but a worker completes a
// query's promise only when its reply is due: at the start of the N-th frame after the query, or
// when a held reply is released. The game thread waits there for the completion, so the frame of
// delivery never depends on the scheduler while the completion itself really happens on another thread.
#include "VoxelQueryWorkers.h"
#include "HostSupport/VoxelQueryControl.h"
#include "VoxelQueryBlueprintLibrary.h"
#include "CoreGlobals.h"
#include "Engine/World.h"
#include "Misc/CoreDelegates.h"
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace UE::Host::VoxelQueries
{
	namespace
	{
		constexpr int32 WorkerCount = 2;

		struct FJob
		{
			uint64 Id = 0;
			FVector Position;
			float GradientStep = 0.f;
			FHeightSampler Sampler;
			TVoxelRefCountPtr<IVoxelPromiseState> State;

			// Guarded by the scheduler's mutex.
			uint64 DueFrame = 0;        // 0 while held
			uint64 ReleaseOrder = 0;    // replies due in one frame complete in this order
			bool bComputed = false;
			bool bDue = false;          // the game thread wants it completed now
			bool bCompleted = false;
			bool bDropped = false;
			TOptional<FVoxelQueryResult> Result;
		};
		using FJobRef = std::shared_ptr<FJob>;

		struct FTask
		{
			FJobRef Job;
			bool bComplete = false;     // false: sample it
		};

		class FScheduler
		{
		public:
			FScheduler()
			{
				FCoreDelegates::OnBeginFrame.AddLambda([this]() { DeliverDueReplies(); });
				FWorldDelegates::OnPostWorldCreation.AddLambda([this](UWorld* World) { LiveWorlds.insert(World); });
				FWorldDelegates::OnWorldCleanup.AddLambda([this](UWorld* World, bool, bool)
				{
					// Replies still in flight when the last world goes have nobody left to answer.
					if (LiveWorlds.erase(World) != 0 && LiveWorlds.empty())
					{
						Shutdown();
					}
				});
			}
			~FScheduler() { Shutdown(); }

			void Submit(TVoxelRefCountPtr<IVoxelPromiseState> State, FHeightSampler Sampler, const FVector& Position, float GradientStep)
			{
				FJobRef Job = std::make_shared<FJob>();
				Job->Position = Position;
				Job->GradientStep = GradientStep;
				Job->Sampler = MoveTemp(Sampler);
				Job->State = MoveTemp(State);
				std::unique_lock<std::mutex> Lock(Mutex);
				StartWorkers();
				Job->Id = ++IssuedCount;
				if (bImmediate)
				{
					Job->bDue = true;
					Job->ReleaseOrder = ++ReleaseCounter;
				}
				else if (!bHold)
				{
					Job->DueFrame = GFrameCounter + static_cast<uint64>(DelayFrames);
					Job->ReleaseOrder = ++ReleaseCounter;
				}
				Jobs.push_back(Job);
				Tasks.push_back(FTask{Job, false});
				WorkAvailable.notify_one();
				if (bImmediate)
				{
					WaitCompleted(Lock, *Job);
					RemoveJob(Job.get());
				}
			}

			/** Completes every reply due by this frame, in release order, waiting for each. */
			void DeliverDueReplies()
			{
				std::unique_lock<std::mutex> Lock(Mutex);
				std::vector<FJobRef> Due;
				for (const FJobRef& Job : Jobs)
				{
					if (Job->DueFrame != 0 && Job->DueFrame <= GFrameCounter)
					{
						Due.push_back(Job);
					}
				}
				std::sort(Due.begin(), Due.end(), [](const FJobRef& A, const FJobRef& B) { return A->ReleaseOrder < B->ReleaseOrder; });
				for (const FJobRef& Job : Due)
				{
					Job->bDue = true;
					if (Job->bComputed)
					{
						Tasks.push_back(FTask{Job, true});
						WorkAvailable.notify_one();
					}
					// Otherwise the worker sampling it completes it as soon as it has the sample.
					WaitCompleted(Lock, *Job);
					RemoveJob(Job.get());
				}
			}

			TArray<FPendingQuery> GetPending()
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				TArray<FPendingQuery> Result;
				for (const FJobRef& Job : Jobs)
				{
					Result.Add(FPendingQuery{Job->Id, Job->Position, Job->DueFrame == 0});
				}
				return Result;
			}

			bool Release(uint64 Id)
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				FJob* Job = FindJob(Id);
				if (Job == nullptr || Job->DueFrame != 0)
				{
					return false;
				}
				Job->DueFrame = GFrameCounter + 1;
				Job->ReleaseOrder = ++ReleaseCounter;
				return true;
			}

			void ReleaseAll()
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				for (const FJobRef& Job : Jobs)
				{
					if (Job->DueFrame == 0)
					{
						Job->DueFrame = GFrameCounter + 1;
						Job->ReleaseOrder = ++ReleaseCounter;
					}
				}
			}

			bool Drop(uint64 Id)
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				FJob* Job = FindJob(Id);
				if (Job == nullptr)
				{
					return false;
				}
				Job->bDropped = true;
				RemoveJob(Job);
				return true;
			}

			int32 NumWorkers()
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				return static_cast<int32>(Workers.size());
			}

			uint64 NumIssued()
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				return IssuedCount;
			}

			void SetDelay(int32 Frames)
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				DelayFrames = FMath::Max(Frames, 1);
			}
			void SetHold(bool bInHold)
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				bHold = bInHold;
			}
			void SetImmediate(bool bInImmediate)
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				bImmediate = bInImmediate;
			}

			/** Stops the workers after the task each is running; undelivered replies are never completed. */
			void Shutdown()
			{
				std::vector<std::thread> Stopping;
				std::vector<FJobRef> Abandoned;
				std::deque<FTask> Unrun;
				{
					std::lock_guard<std::mutex> Lock(Mutex);
					bStopping = true;
					WorkAvailable.notify_all();
					Stopping.swap(Workers);
					for (const FJobRef& Job : Jobs)
					{
						Job->bDropped = true;
					}
					Abandoned.swap(Jobs);
					Unrun.swap(Tasks);
				}
				for (std::thread& Worker : Stopping)
				{
					Worker.join();
				}
				// The promises (and the continuations they hold) are released here, on the game thread.
				Unrun.clear();
				Abandoned.clear();
				std::lock_guard<std::mutex> Lock(Mutex);
				bStopping = false;
			}

		private:
			void StartWorkers()
			{
				if (!Workers.empty())
				{
					return;
				}
				for (int32 Index = 0; Index < WorkerCount; ++Index)
				{
					Workers.emplace_back([this]() { WorkerLoop(); });
				}
			}

			void WorkerLoop()
			{
				std::unique_lock<std::mutex> Lock(Mutex);
				for (;;)
				{
					WorkAvailable.wait(Lock, [this]() { return bStopping || !Tasks.empty(); });
					if (bStopping)
					{
						return;
					}
					FTask Task = MoveTemp(Tasks.front());
					Tasks.pop_front();
					FJob& Job = *Task.Job;
					if (Job.bDropped)
					{
						continue;
					}
					if (!Task.bComplete)
					{
						Lock.unlock();
						TOptional<FVoxelQueryResult> Sample = Compute(Job);
						Lock.lock();
						Job.Result = MoveTemp(Sample);
						Job.bComputed = true;
						if (!Job.bDue || Job.bDropped)
						{
							continue;
						}
					}
					Lock.unlock();
					// Completing queues the game-thread continuations; they run after the frame start returns.
					Job.State->Set(MakeSharedVoidRef(MakeShared<TOptional<FVoxelQueryResult>>(Job.Result)));
					Lock.lock();
					Job.bCompleted = true;
					Completed.notify_all();
				}
			}

			static TOptional<FVoxelQueryResult> Compute(const FJob& Job)
			{
				// Height layers read X and Y only; the normal comes from central differences GradientStep apart.
				if (!Job.Sampler.bIsHeightLayer)
				{
					return {};
				}
				const double X = Job.Position.X;
				const double Y = Job.Position.Y;
				const double Step = Job.GradientStep;
				const FHeightSampler& Layer = Job.Sampler;
				const double DX = static_cast<double>(Layer.HeightAt(X + Step, Y)) - Layer.HeightAt(X - Step, Y);
				const double DY = static_cast<double>(Layer.HeightAt(X, Y + Step)) - Layer.HeightAt(X, Y - Step);
				FVoxelQueryResult Sample;
				Sample.Value = Layer.HeightAt(X, Y);
				Sample.Normal = FVector(-DX, -DY, 2.0 * Step).GetSafeNormal();
				return Sample;
			}

			void WaitCompleted(std::unique_lock<std::mutex>& Lock, FJob& Job)
			{
				Completed.wait(Lock, [&Job]() { return Job.bCompleted; });
			}

			FJob* FindJob(uint64 Id)
			{
				for (const FJobRef& Job : Jobs)
				{
					if (Job->Id == Id)
					{
						return Job.get();
					}
				}
				return nullptr;
			}

			void RemoveJob(FJob* Job)
			{
				Jobs.erase(std::remove_if(Jobs.begin(), Jobs.end(), [Job](const FJobRef& Entry) { return Entry.get() == Job; }), Jobs.end());
			}

			std::mutex Mutex;
			std::condition_variable WorkAvailable;
			std::condition_variable Completed;
			std::vector<std::thread> Workers;
			std::deque<FTask> Tasks;
			std::vector<FJobRef> Jobs;
			uint64 IssuedCount = 0;
			uint64 ReleaseCounter = 0;
			int32 DelayFrames = 1;
			bool bHold = false;
			bool bImmediate = false;
			bool bStopping = false;
			std::set<UWorld*> LiveWorlds;    // game thread only
		};

		FScheduler& GetScheduler()
		{
			static FScheduler Scheduler;
			return Scheduler;
		}
	}

	void StartService()
	{
		GetScheduler();
	}

	void Submit(TVoxelRefCountPtr<IVoxelPromiseState> State, FHeightSampler Sampler, const FVector& Position, float GradientStep)
	{
		GetScheduler().Submit(MoveTemp(State), MoveTemp(Sampler), Position, GradientStep);
	}

	void SetReplyDelayFrames(int32 Frames) { GetScheduler().SetDelay(Frames); }
	void SetHoldReplies(bool bHold) { GetScheduler().SetHold(bHold); }
	void SetCompleteImmediately(bool bImmediate) { GetScheduler().SetImmediate(bImmediate); }
	void ResetControls()
	{
		SetReplyDelayFrames(1);
		SetHoldReplies(false);
		SetCompleteImmediately(false);
	}
	TArray<FPendingQuery> GetPendingQueries() { return GetScheduler().GetPending(); }
	bool ReleaseReply(uint64 Id) { return GetScheduler().Release(Id); }
	void ReleaseAllReplies() { GetScheduler().ReleaseAll(); }
	bool DropReply(uint64 Id) { return GetScheduler().Drop(Id); }
	int32 NumWorkerThreads() { return GetScheduler().NumWorkers(); }
	uint64 NumQueriesIssued() { return GetScheduler().NumIssued(); }
}
