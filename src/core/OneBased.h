#pragma once
// Fixed-capacity array indexed 1..N (index 0 exists and is unused). An index
// outside 0..N throws std::out_of_range instead of writing past the array.
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

template <typename T, int N>
class OneBased {
 public:
  static constexpr int capacity = N;

  T& operator[](int i) {
    check(i);
    return items_[static_cast<std::size_t>(i)];
  }
  const T& operator[](int i) const {
    check(i);
    return items_[static_cast<std::size_t>(i)];
  }
  void fill(const T& value) { items_.fill(value); }
  static bool inRange(int i) { return i >= 1 && i <= N; }

 private:
  static void check(int i) {
    if (i < 0 || i > N) throw std::out_of_range("index " + std::to_string(i) + " outside 1.." + std::to_string(N));
  }
  std::array<T, N + 1> items_{};
};
