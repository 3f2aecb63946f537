#pragma once
// ButtonSetupWindow: edits the caption and URL template of the slot whose arrow was pressed
// last (CurrentSlot), by hand.
#include "core/program.h"

namespace quarvel {

// The template shown for a slot whose template key is missing from config.ini.
const Text& SetupDefaultTemplate(const Text& slot);

class ButtonSetupWindow : public ProgramWindow {
 public:
  explicit ButtonSetupWindow(Program& program);
  void OnCreate() override;

  Control 标签1{
      *this, CS{.kind = K::Label, .name = "标签1", .rect = {16, 16, 80, 20}, .text = "按钮显示文本："_gbk}};
  Control 编辑框1{
      *this,
      CS{.kind = K::EditBox, .name = "编辑框1", .rect = {101, 16, 113, 20}, .backColour = colour::kWhite}};
  Control 标签2{*this, CS{.kind = K::Label,
                          .name = "标签2",
                          .rect = {214, 17, 16, 18},
                          .text = "×"_gbk,
                          .textColour = colour::kBlue,
                          .cursor = C::Hand,
                          .align = TextAlign::Center}};
  Control 标签3{
      *this, CS{.kind = K::Label, .name = "标签3", .rect = {16, 46, 80, 20}, .text = "按钮执行代码："_gbk}};
  Control 编辑框2{*this, CS{.kind = K::MultiLineEdit,
                            .name = "编辑框2",
                            .rect = {101, 46, 276, 40},
                            .backColour = colour::kWhite}};
  Control 标签9{*this, CS{.kind = K::Label,
                          .name = "标签9",
                          .rect = {377, 49, 16, 18},
                          .text = "？"_gbk,
                          .textColour = colour::kBlue,
                          .cursor = C::Hand,
                          .align = TextAlign::Center}};
  Control 标签5{*this, CS{.kind = K::Label,
                          .name = "标签5",
                          .rect = {377, 67, 16, 18},
                          .text = "×"_gbk,
                          .textColour = colour::kBlue,
                          .cursor = C::Hand,
                          .align = TextAlign::Center}};
  Control 按钮_确定{
      *this, CS{.kind = K::Button, .name = "按钮_确定", .rect = {160, 98, 80, 24}, .text = "确定"_gbk}};

 private:
  void Confirm();
};

}  // namespace quarvel
