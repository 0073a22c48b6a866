// Formatting and parsing of mixed column values (integers, decimals with scale, doubles, dates, timestamps) in
// de_DE through the process's value formatter. items_per_second = values formatted, or texts parsed, per second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "platform/lang/Value.h"
#include "platform/sql/Types.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace {

using plat::lang::Value;
using quenlora::zafoli::db::beans::util::LocalizedValueGenerator;

constexpr int kValues = 1000000;
constexpr int kKinds = 5;

struct Sample {
  std::vector<Value> values;
  std::vector<std::string> texts;
  std::vector<int> types;
};

int typeOf(int kind) {
  using plat::sql::Types;
  const int types[kKinds] = {Types::INTEGER, Types::DECIMAL, Types::DOUBLE, Types::DATE, Types::TIMESTAMP};
  return types[kind];
}

const Sample& sample() {
  static const Sample* s = [] {
    plat::text::Locale::setDefault(plat::text::Locale::GERMANY);
    auto* out = new Sample();
    std::mt19937_64 random(42);
    out->values.reserve(kValues);
    for (int i = 0; i < kValues; ++i) {
      int kind = i % kKinds;
      uint64_t r = random();
      switch (kind) {
        case 0:
          out->values.emplace_back(static_cast<int32_t>(r % 2000000) - 1000000);
          break;
        case 1:
          out->values.emplace_back(plat::math::Decimal::valueOf(static_cast<int64_t>(r % 100000000), 2));
          break;
        case 2:
          out->values.emplace_back(static_cast<double>(r % 1000000) / 64.0);
          break;
        case 3:
          out->values.emplace_back(plat::time::Date::fromEpochDay(static_cast<int64_t>(r % 30000)));
          break;
        default:
          out->values.emplace_back(plat::time::Timestamp::fromEpochSecond(static_cast<int64_t>(r % 2000000000)));
      }
      out->types.push_back(typeOf(kind));
      out->texts.push_back(LocalizedValueGenerator::formatValue(out->values.back(), true).getString());
    }
    return out;
  }();
  return *s;
}

void BM_FormatMixedValues(benchmark::State& state) {
  const Sample& s = sample();
  for (auto _ : state) {
    for (const Value& v : s.values) benchmark::DoNotOptimize(LocalizedValueGenerator::formatValue(v, true));
  }
  state.SetItemsProcessed(state.iterations() * kValues);
}

void BM_ParseMixedValues(benchmark::State& state) {
  const Sample& s = sample();
  for (auto _ : state) {
    for (int i = 0; i < kValues; ++i) {
      if (s.types[i] == plat::sql::Types::DATE || s.types[i] == plat::sql::Types::TIMESTAMP) {
        benchmark::DoNotOptimize(LocalizedValueGenerator::parseDateValue(s.texts[i], s.types[i]));
      } else {
        benchmark::DoNotOptimize(LocalizedValueGenerator::parseNumberValue(s.texts[i], s.types[i]));
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kValues);
}

BENCHMARK(BM_FormatMixedValues)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ParseMixedValues)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
