#pragma once
// The test classes of test_ui: each registers itself; `test_ui NAME` runs one class.
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kelvara::uitest {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::map<std::string, TestFactory>& Registry() {
  static std::map<std::string, TestFactory> tests;
  return tests;
}

inline bool Register(const char* name, TestFactory make) {
  Registry()[name] = std::move(make);
  return true;
}

}  // namespace kelvara::uitest

#define KELVARA_UI_TEST(Class) \
  static const bool kRegistered##Class = kelvara::uitest::Register(#Class, [] { return std::make_unique<Class>(); })
