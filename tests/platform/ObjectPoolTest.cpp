// The size-class pool behind the objects' operator new: objects never overlap, are aligned for their
// size, and every chunk and block goes back when its objects are freed, from one thread or two. The
// arrays kept in it edit as std::vector does.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "platform/Array.h"
#include "platform/ObjectPool.h"

namespace {

struct Held {
  unsigned char* p;
  size_t size;
  unsigned char fill;
};

// Allocates and frees objects of random sizes (pooled and not) in random order, each filled with its
// own byte and checked before it is freed; `keep` objects at most are live at once.
void Churn(unsigned seed, int steps, size_t keep) {
  std::mt19937 random(seed);
  std::vector<Held> live;
  for (int step = 0; step < steps; ++step) {
    if (live.size() < keep && random() % 3 != 0) {
      const size_t size = 1 + random() % (bm::kLargestPooled + 64);
      auto* p = static_cast<unsigned char*>(bm::PoolAllocate(size));
      // (The heap's alignment is its own: 8 on some 32-bit targets.)
      const size_t alignment = size > bm::kLargestPooled ? 1 : size % 16 == 0 ? 16 : 8;
      EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % alignment, 0u) << size;
      const auto fill = static_cast<unsigned char>(random());
      std::memset(p, fill, size);
      live.push_back({p, size, fill});
    } else if (!live.empty()) {
      const size_t i = random() % live.size();
      const Held held = live[i];
      EXPECT_EQ(std::count(held.p, held.p + held.size, held.fill), static_cast<std::ptrdiff_t>(held.size))
          << held.size;
      bm::PoolFree(held.p, held.size);
      live[i] = live.back();
      live.pop_back();
    }
  }
  for (const Held& held : live) bm::PoolFree(held.p, held.size);
}

TEST(ObjectPool, ObjectsKeepTheirBytesAndEveryChunkAndBlockGoesBack) {
  const bm::PoolUsage before = bm::PoolUsageNow();
  Churn(7, 200000, 20000);
  const bm::PoolUsage after = bm::PoolUsageNow();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.chunks, before.chunks);
  // At most the one spare block stays.
  EXPECT_LE(after.blocks, before.blocks + 1);
  EXPECT_EQ(after.blocks - (after.spareBytes ? 1 : 0), before.blocks - (before.spareBytes ? 1 : 0));
  bm::PoolFree(nullptr, 8);
}

TEST(ObjectPool, TwoThreadsShareThePoolAndFreeEachOthersObjects) {
  const bm::PoolUsage before = bm::PoolUsageNow();
  std::thread other([] { Churn(11, 100000, 5000); });
  Churn(12, 100000, 5000);
  other.join();
  // Objects made in one thread, freed in another.
  std::vector<void*> made(30000);
  std::thread maker([&made] {
    for (size_t i = 0; i < made.size(); ++i) made[i] = bm::PoolAllocate(8 + i % 300);
  });
  maker.join();
  for (size_t i = 0; i < made.size(); ++i) bm::PoolFree(made[i], 8 + i % 300);
  const bm::PoolUsage after = bm::PoolUsageNow();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.chunks, before.chunks);
}

// Sanitized builds serve every object from the heap, so that the sanitizer sees each one.
TEST(ObjectPool, ModelObjectsComeFromThePoolUnlessSanitizedAndLargeOnesFromTheHeap) {
  const uint64_t objects = bm::PoolUsageNow().objects;
  {
    CBuildingModule model;
    auto beam = std::make_unique<CBMBeam>();
    EXPECT_EQ(bm::PoolUsageNow().objects > objects, bm::PoolEnabled());
  }
  EXPECT_EQ(bm::PoolUsageNow().objects, objects);
  CObArray emptied;  // an emptied array gives its block back (a handled block of lines is kept)
  for (int i = 0; i < 20; ++i) emptied.Add(nullptr);
  EXPECT_EQ(bm::PoolUsageNow().objects, objects + (bm::PoolEnabled() ? 1 : 0));
  emptied.RemoveAll();
  EXPECT_EQ(bm::PoolUsageNow().objects, objects);
  void* large = bm::PoolAllocate(bm::kLargestPooled + 1);
  EXPECT_EQ(bm::PoolUsageNow().objects, objects);
  bm::PoolFree(large, bm::kLargestPooled + 1);
}

// Random appends, inserts, removals, resizes and copies of an array of plain values (16 bytes, its
// own growth) and of strings (a std::vector), each against a std::vector after every edit.
template <typename T, typename Make>
void EditLikeAVector(Make make) {
  std::mt19937 random(5);
  CArrayT<T> array;
  std::vector<T> expected;
  for (int step = 0; step < 4000; ++step) {
    const int n = array.GetSize(), at = n ? static_cast<int>(random() % (n + 1)) : 0;
    const T v = make(random());
    switch (random() % 6) {
      case 0:
      case 1: {
        const int from = n ? static_cast<int>(random() % n) : -1;
        EXPECT_EQ(array.Add(from < 0 ? v : array[from]), n);  // an element of its own too
        expected.push_back(from < 0 ? v : expected[from]);
        break;
      }
      case 2: {
        const int count = static_cast<int>(random() % 5);
        array.InsertAt(at, v, count);
        expected.insert(expected.begin() + at, count, v);
        break;
      }
      case 3:
        if (at < n) {
          const int count = 1 + static_cast<int>(random() % (n - at));
          array.RemoveAt(at, count);
          expected.erase(expected.begin() + at, expected.begin() + at + count);
        }
        break;
      case 4:
        array.SetSize(at + static_cast<int>(random() % 9));
        expected.resize(static_cast<size_t>(array.GetSize()));
        break;
      default: {
        CArrayT<T> copy(array);
        array = CArrayT<T>();
        array = random() % 2 ? copy : std::move(copy);
      }
    }
    ASSERT_EQ(std::vector<T>(array.begin(), array.end()), expected) << "step " << step;
  }
}

TEST(ObjectPool, ArraysEditAsAVectorDoes) {
  EditLikeAVector<long long>([](unsigned r) { return static_cast<long long>(r) << 20; });
  EditLikeAVector<CString>(
      [](unsigned r) { return CString(std::string(r % 40, static_cast<char>('a' + r % 26)).c_str()); });
}

}  // namespace
