// A loaded main form for model tests: fixed random sequence, every message
// recorded, and helpers to place ants and read the canvas of the default
// 7 m x 7 m world.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/test_form.h"

namespace antraid::modeltest {

inline constexpr uint32_t kSand = RGB(238, 236, 162);

class ModelForm : public testing::LoadedForm {
 public:
  explicit ModelForm(uint64_t seed = 1) : LoadedForm(".", seed) {
    form.panel.txtDebugMsg.onChange = [this] { messages.push_back(form.panel.txtDebugMsg.text()); };
  }

  std::vector<std::string> messages;  // every text txtDebugMsg took, in order

  // Layers allocated, no ants yet.
  void BuildWorld() {
    ASSERT_TRUE(form.CreateWorld());
    form.run.ants.assign(1, AntRecord{});
  }

  // Adds an ant at (x, y), counted on its patch; returns its index.
  int16_t AddAnt(float x, float y, AntState state = AntState::kOutbound) {
    if (form.run.ants.empty()) form.run.ants.emplace_back();
    AntRecord a;
    a.antNum = static_cast<int32_t>(form.run.ants.size());
    a.xPos = x;
    a.yPos = y;
    a.state = state;
    form.run.ants.push_back(a);
    form.params.numAnts = a.antNum;
    form.run.antCountGrid.Add(MainForm::PatchOf(x), MainForm::PatchOf(y), 1);
    return static_cast<int16_t>(a.antNum);
  }
  AntRecord& Ant(int16_t k) { return form.run.ants[static_cast<size_t>(k)]; }

  // Puts ant k back at (x, y) in state `state`, keeping the ant counts right.
  void MoveBack(int16_t k, float x, float y, AntState state) {
    AntRecord& a = Ant(k);
    form.run.antCountGrid.Add(MainForm::PatchOf(a.xPos), MainForm::PatchOf(a.yPos), -1);
    form.run.antCountGrid.Add(MainForm::PatchOf(x), MainForm::PatchOf(y), 1);
    a.xPos = x;
    a.yPos = y;
    a.state = state;
  }

  // Colour of the pixel that shows world point (x, y) on the default world.
  uint32_t PixelAt(double x, double y) const {
    return form.pctWorld.Pixel(static_cast<int>(std::floor(x * 500 / 700)),
                               static_cast<int>(std::floor(y * 500 / 700)));
  }
  int NonBackgroundPixels() const {
    return form.pctWorld.width() * form.pctWorld.height() - testing::CountPixels(form.pctWorld, kSand);
  }

  bool Said(std::string_view part) const {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const std::string& m) { return m.find(part) != std::string::npos; });
  }
  const std::string& LastMessage() const { return form.panel.txtDebugMsg.text(); }
};

// A loaded form with the world's layers built and no ants yet.
class BuiltWorld : public ::testing::Test {
 protected:
  void SetUp() override { t.BuildWorld(); }
  ModelForm t;
  MainForm& f = t.form;
};

}  // namespace antraid::modeltest
