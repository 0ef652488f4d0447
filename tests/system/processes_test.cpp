// Per-process processor usage, the priority classes and the simulated
// process list's refusals.

#include <gtest/gtest.h>

#include "platform/priority_classes.h"
#include "platform/sim/sim_process_table.h"
#include "system/process_cpu.h"

namespace zelvor {
namespace {

ProcessRecord Process(std::uint32_t pid, std::uint64_t seconds, std::uint64_t start = 1) {
  ProcessRecord p;
  p.pid = pid;
  p.startTime = start;
  p.cpuTime = seconds * kTimeUnitsPerSecond;
  return p;
}

TEST(ProcessCpu, UsageBetweenTwoRefreshes) {
  ProcessCpuSamples samples;
  const std::vector<ProcessCpu> first = samples.Update({Process(10, 5), Process(20, 1)}, 1000);
  EXPECT_EQ(first, (std::vector<ProcessCpu>{{10, CpuFigure::FirstSample, 0}, {20, CpuFigure::FirstSample, 0}}));

  // Two seconds later: 10 used 1 s (50 %), 20 used 3 s on two processors
  // (150 %), and 40 is new.
  const auto second = samples.Update({Process(10, 6), Process(20, 4), Process(40, 9)}, 1002);
  EXPECT_EQ(second, (std::vector<ProcessCpu>{{10, CpuFigure::Measured, 50},
                                             {20, CpuFigure::Measured, 150},
                                             {40, CpuFigure::FirstSample, 0}}));

  // Within the same second nothing is measured and nothing is kept, so the
  // next refresh measures over the whole time.
  const auto tooSoon = samples.Update({Process(10, 7), Process(50, 1)}, 1002);
  EXPECT_EQ(tooSoon, (std::vector<ProcessCpu>{{10, CpuFigure::TooSoon, 0}, {50, CpuFigure::FirstSample, 0}}));
  const auto third = samples.Update({Process(10, 8), Process(40, 9)}, 1006);
  EXPECT_EQ(third, (std::vector<ProcessCpu>{{10, CpuFigure::Measured, 50}, {40, CpuFigure::Measured, 0}}));

  // 20 was not in the last refresh: forgotten. 10's id given to a new
  // process (another start) with less time than the old one had.
  const auto fourth = samples.Update({Process(10, 1, 777), Process(20, 4)}, 1007);
  EXPECT_EQ(fourth, (std::vector<ProcessCpu>{{10, CpuFigure::FirstSample, 0}, {20, CpuFigure::FirstSample, 0}}));

  // The clock set back starts afresh rather than waiting for it.
  const auto back = samples.Update({Process(10, 2, 777)}, 500);
  EXPECT_EQ(back, (std::vector<ProcessCpu>{{10, CpuFigure::FirstSample, 0}}));
  EXPECT_EQ(samples.Update({Process(10, 3, 777)}, 501), (std::vector<ProcessCpu>{{10, CpuFigure::Measured, 100}}));

  samples.Clear();
  EXPECT_EQ(samples.Update({Process(10, 9, 777)}, 502), (std::vector<ProcessCpu>{{10, CpuFigure::FirstSample, 0}}));
}

TEST(PriorityClasses, NicenessBothWays) {
  struct Case {
    std::uint32_t priorityClass;
    int nice;
  };
  const Case table[] = {{priority_class::RealTime, -20}, {priority_class::High, -10},
                        {priority_class::AboveNormal, -5}, {priority_class::Normal, 0},
                        {priority_class::BelowNormal, 5}, {priority_class::Idle, 19}};
  for (const Case& c : table) {
    EXPECT_EQ(NiceValueOf(c.priorityClass), c.nice);
    EXPECT_EQ(PriorityClassOfNice(c.nice), c.priorityClass);  // each class reads back as itself
  }
  EXPECT_FALSE(NiceValueOf(priority_class::Leave));
  EXPECT_FALSE(NiceValueOf(0x1234));
  const Case between[] = {{priority_class::RealTime, -16}, {priority_class::High, -15},
                          {priority_class::AboveNormal, -7}, {priority_class::Normal, 2},
                          {priority_class::BelowNormal, 12}, {priority_class::Idle, 13},
                          {priority_class::RealTime, -99}, {priority_class::Idle, 99}};
  for (const Case& c : between) EXPECT_EQ(PriorityClassOfNice(c.nice), c.priorityClass) << c.nice;
}

TEST(SimProcessTable, RefusesAsTheSystemWould) {
  SimProcessTable table;
  ProcessRecord mine = Process(100, 0);
  mine.ownerId = 1000;
  mine.nice = 0;
  ProcessRecord theirs = Process(200, 0);
  theirs.ownerId = 0;
  table.list = {mine, theirs};
  table.moduleLists[100] = {{"/usr/bin/x", 0x1000}};

  EXPECT_EQ(table.setPriority(100, priority_class::High).refusal, ProcessRefusal::NeedsPrivilege);
  EXPECT_TRUE(table.setPriority(100, priority_class::Idle).ok());
  EXPECT_EQ(table.processes()[0].nice, 19);
  EXPECT_EQ(table.setPriority(100, 0x1234).refusal, ProcessRefusal::Invalid);
  EXPECT_EQ(table.setPriority(200, priority_class::Idle).refusal, ProcessRefusal::OtherUser);
  EXPECT_EQ(table.terminate(200).refusal, ProcessRefusal::OtherUser);
  EXPECT_FALSE(table.modules(200));
  EXPECT_EQ(table.modules(100)->size(), 1u);
  EXPECT_EQ(table.terminate(0).refusal, ProcessRefusal::Invalid);
  EXPECT_TRUE(table.terminate(100).ok());
  EXPECT_EQ(table.terminate(100).refusal, ProcessRefusal::Gone);
  EXPECT_EQ(table.processes().size(), 1u);
  EXPECT_EQ(table.terminated, (std::vector<std::uint32_t>{100}));
}

TEST(ProcessIds, OnlyIdsThatNameOneProcess) {
  // 0 and anything read as negative would reach a group or every process.
  for (const std::uint32_t bad : {0u, 0x40000000u, 0x80000000u, 0xFFFFFFFFu}) EXPECT_FALSE(IsSingleProcessId(bad));
  for (const std::uint32_t good : {1u, 4194304u, 0x3FFFFFFFu}) EXPECT_TRUE(IsSingleProcessId(good));
}

}  // namespace
}  // namespace zelvor
