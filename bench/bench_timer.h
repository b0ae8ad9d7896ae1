#pragma once

#include <benchmark/benchmark.h>
#include <chrono>

// Times the rest of the scope as one iteration, so the set-up before it in
// the loop body (restoring files, resetting the caption) is not counted.
class IterationTimer
{
  public:
    explicit IterationTimer(benchmark::State& state)
        : state_(state), start_(std::chrono::steady_clock::now())
    {
    }
    ~IterationTimer()
    {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
        state_.SetIterationTime(elapsed.count());
    }
    IterationTimer(const IterationTimer&) = delete;
    IterationTimer& operator=(const IterationTimer&) = delete;

  private:
    benchmark::State& state_;
    std::chrono::steady_clock::time_point start_;
};
