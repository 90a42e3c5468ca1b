// Names for table-driven test cases: GoogleTest accepts only letters, digits and '_'.
#ifndef OSTREV_TESTS_SUPPORT_TESTNAMES_H_
#define OSTREV_TESTS_SUPPORT_TESTNAMES_H_

#include <cctype>
#include <string>

// For INSTANTIATE_TEST_SUITE_P: names each case after its `what` member.
struct NameByWhat {
  template <typename Info>
  std::string operator()(const Info& info) const {
    std::string name = info.param.what;
    for (char& ch : name) {
      if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
  }
};

#endif  // OSTREV_TESTS_SUPPORT_TESTNAMES_H_
