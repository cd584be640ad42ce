#include "ObjectPool.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define BM_POOL_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BM_POOL_UNDER_SANITIZER 1
#endif
#endif
#ifndef BM_OBJECT_POOL
#define BM_OBJECT_POOL 1
#endif
#if BM_OBJECT_POOL && !defined(BM_POOL_UNDER_SANITIZER)
#define BM_POOL_ON 1
#else
#define BM_POOL_ON 0
#endif

namespace bm {

#if BM_POOL_ON
namespace {

constexpr std::size_t kGranule = 8;
constexpr std::size_t kClassCount = kLargestPooled / kGranule;
constexpr std::size_t kChunkBytes = std::size_t{1} << 16;
constexpr std::size_t kChunksPerBlock = 64;
// A block's heap bytes: a chunk more than it hands out, for their alignment.
constexpr std::size_t kBlockBytes = (kChunksPerBlock + 1) * kChunkBytes;

// Held for a few dozen instructions at a time, so waiting spins (yielding
// the processor) rather than sleeping.
class SpinLock {
 public:
  void lock() noexcept {
    while (flag_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  }
  void unlock() noexcept { flag_.clear(std::memory_order_release); }

 private:
  std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

struct Block;

// A free slot holds the link to the next free slot of its chunk.
struct FreeSlot {
  FreeSlot* next;
};

// The head of a chunk, at its 64 KiB-aligned start; the slots follow it.
struct Chunk {
  Block* block = nullptr;
  Chunk* prev = nullptr;  // in its size class's list of chunks with room
  Chunk* next = nullptr;  // the same; in its block, the next chunk given back
  FreeSlot* freed = nullptr;
  char* fresh = nullptr;  // the first slot never used
  std::size_t slot = 0;
  std::size_t live = 0;
  bool listed = false;
};
constexpr std::size_t kChunkHead = (sizeof(Chunk) + 15) / 16 * 16;

// Heap memory for kChunksPerBlock aligned chunks, handed out in address
// order so that the pages of chunks never used are never touched.
struct Block {
  void* raw = nullptr;
  char* first = nullptr;  // its first chunk
  std::size_t fresh = 0;  // chunks handed out from `first` on
  Chunk* returned = nullptr;
  std::size_t out = 0;    // chunks in use now
  Block* prev = nullptr;  // in the list of blocks with a chunk to give
  Block* next = nullptr;
  bool listed = false;
};

struct SizeClass {
  SpinLock lock;
  Chunk* open = nullptr;  // chunks with room
  std::size_t live = 0;
};

template <typename Node>
void Link(Node*& head, Node* node) {
  node->prev = nullptr;
  node->next = head;
  if (head) head->prev = node;
  head = node;
  node->listed = true;
}

template <typename Node>
void Unlink(Node*& head, Node* node) {
  if (node->prev) {
    node->prev->next = node->next;
  } else {
    head = node->next;
  }
  if (node->next) node->next->prev = node->prev;
  node->listed = false;
}

SizeClass g_classes[kClassCount];
SpinLock g_blockLock;  // guards the blocks and the counts below
Block* g_openBlocks = nullptr;
// A block whose chunks all came back is kept while it is the only one, so
// that a program that makes and deletes one object at a time, just as the
// chunks in use fill up, does not take 4 MiB from the heap and give it back
// each time.
Block* g_spare = nullptr;
std::uint64_t g_blockCount = 0;
std::uint64_t g_chunkCount = 0;

void NewBlock() {
  auto block = std::make_unique<Block>();
  block->raw = ::operator new(kBlockBytes);
  const auto start = reinterpret_cast<std::uintptr_t>(block->raw);
  const std::uintptr_t skip = (kChunkBytes - start % kChunkBytes) % kChunkBytes;
  block->first = static_cast<char*>(block->raw) + skip;
  Link(g_openBlocks, block.release());
  ++g_blockCount;
}

// A chunk for slots of `slot` bytes, taken from a block.
Chunk* TakeChunk(std::size_t slot) {
  std::lock_guard<SpinLock> hold(g_blockLock);
  if (!g_openBlocks) NewBlock();
  Block* block = g_openBlocks;
  if (block == g_spare) g_spare = nullptr;
  void* place;
  if (block->returned) {
    place = block->returned;
    block->returned = block->returned->next;
  } else {
    place = block->first + block->fresh++ * kChunkBytes;
  }
  ++block->out;
  if (!block->returned && block->fresh == kChunksPerBlock) Unlink(g_openBlocks, block);
  ++g_chunkCount;
  Chunk* chunk = new (place) Chunk();
  chunk->block = block;
  chunk->slot = slot;
  chunk->fresh = static_cast<char*>(place) + kChunkHead;
  return chunk;
}

void GiveBackChunk(Chunk* chunk) noexcept {
  Block* freed = nullptr;
  {
    std::lock_guard<SpinLock> hold(g_blockLock);
    Block* block = chunk->block;
    chunk->next = block->returned;
    block->returned = chunk;
    --block->out;
    --g_chunkCount;
    if (!block->listed) Link(g_openBlocks, block);
    if (block->out == 0) {
      if (g_spare) {
        Unlink(g_openBlocks, block);
        --g_blockCount;
        freed = block;
      } else {
        g_spare = block;
      }
    }
  }
  if (freed) {
    ::operator delete(freed->raw);
    delete freed;
  }
}

Chunk* ChunkOf(void* p) {
  const auto address = reinterpret_cast<std::uintptr_t>(p);
  return reinterpret_cast<Chunk*>(address - address % kChunkBytes);
}

std::size_t ClassOf(std::size_t size) { return size == 0 ? 0 : (size - 1) / kGranule; }

// Asks the cache for the `bytes` at `p` (the slot the class hands out next):
// a large model is built in memory no cache has seen, and the object made
// next is written at once.
void PrefetchForWrite(const char* p, std::size_t bytes) {
#if defined(__GNUC__)
  for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(p + at, 1);
#else
  (void)p, (void)bytes;
#endif
}

}  // namespace

void* PoolAllocate(std::size_t size) {
  if (size > kLargestPooled) return ::operator new(size);
  const std::size_t index = ClassOf(size);
  SizeClass& cls = g_classes[index];
  std::lock_guard<SpinLock> hold(cls.lock);
  Chunk* chunk = cls.open;
  if (!chunk) {
    chunk = TakeChunk((index + 1) * kGranule);
    Link(cls.open, chunk);
  }
  const char* end = reinterpret_cast<const char*>(chunk) + kChunkBytes;
  void* p;
  if (chunk->freed) {
    p = chunk->freed;
    chunk->freed = chunk->freed->next;
  } else {
    p = chunk->fresh;
    chunk->fresh += chunk->slot;
    if (static_cast<std::size_t>(end - chunk->fresh) >= chunk->slot)
      PrefetchForWrite(chunk->fresh, chunk->slot);
  }
  ++chunk->live;
  ++cls.live;
  if (!chunk->freed && static_cast<std::size_t>(end - chunk->fresh) < chunk->slot) Unlink(cls.open, chunk);
  return p;
}

void PoolFree(void* p, std::size_t size) noexcept {
  if (!p) return;
  if (size > kLargestPooled) {
    ::operator delete(p);
    return;
  }
  SizeClass& cls = g_classes[ClassOf(size)];
  Chunk* chunk = ChunkOf(p);
  Chunk* empty = nullptr;
  {
    std::lock_guard<SpinLock> hold(cls.lock);
    chunk->freed = new (p) FreeSlot{chunk->freed};
    --chunk->live;
    --cls.live;
    if (chunk->live == 0) {
      if (chunk->listed) Unlink(cls.open, chunk);
      empty = chunk;
    } else if (!chunk->listed) {
      Link(cls.open, chunk);
    }
  }
  if (empty) GiveBackChunk(empty);
}

PoolUsage PoolUsageNow() {
  PoolUsage usage;
  for (SizeClass& cls : g_classes) {
    std::lock_guard<SpinLock> hold(cls.lock);
    usage.objects += cls.live;
  }
  std::lock_guard<SpinLock> hold(g_blockLock);
  usage.blocks = g_blockCount;
  usage.chunks = g_chunkCount;
  usage.spareBytes = g_spare ? kBlockBytes : 0;
  return usage;
}

bool PoolEnabled() { return true; }

#else

void* PoolAllocate(std::size_t size) { return ::operator new(size); }
void PoolFree(void* p, std::size_t) noexcept { ::operator delete(p); }
PoolUsage PoolUsageNow() { return PoolUsage(); }
bool PoolEnabled() { return false; }

#endif

}  // namespace bm
