#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "codeplug/ccommon.h"
#include "support/scripted_prompt.h"
#include "ui/editor_form.h"

namespace tamberlin::test {

// One editor form over slot 0 of its own codeplug manager, shown at a normal
// size, with the lookups and byte reads a form test needs.
template <typename Form>
class EditorFormFixture : public ::testing::Test {
 protected:
  void useModel(int model) {
    ASSERT_EQ(common.newCodeplug(0, model, prompt), 0);
    form.refreshAll();
  }
  void showWithModel(int width, int height, int model) {
    form.resize(width, height);
    form.show();
    useModel(model);
  }
  template <typename W>
  W* find(const char* name) {
    W* widget = form.template findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  std::vector<uint8_t>& buffer() { return common.slot(0)->buffer; }
  std::vector<uint8_t> bytesAt(size_t offset, size_t length) {
    return std::vector<uint8_t>(buffer().begin() + offset, buffer().begin() + offset + length);
  }

  CCommon common;
  ScriptedPrompt prompt;
  Form form{EditorContext{common, prompt}, nullptr};
};

}  // namespace tamberlin::test
