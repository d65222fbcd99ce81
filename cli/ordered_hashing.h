#pragma once

// Work on several threads, results taken in order: for --check, where every
// line's file is known before hashing starts.

#include <cstddef>
#include <functional>

namespace sumbrook::cli {

class Hasher;
class ProgressLine;

// Runs Work(i) for every i below Count on Threads threads, the calling one
// among them, each with its own Hasher; Take(i) runs on the calling thread
// in order, as soon as Work(i) and all before it are done.
void HashInOrder(std::size_t count, unsigned threads, ProgressLine* progress,
                 const std::function<void(std::size_t, Hasher&)>& work, const std::function<void(std::size_t)>& take);

} // namespace sumbrook::cli
