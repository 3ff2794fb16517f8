// Forms naming the unit's classes load and write back as they were: a panel holding a splitter
// and a shape, and a notebook whose pages the file holds.
#include "host/extctrls/Header.h"
#include "host/extctrls/Notebook.h"
#include "host/extctrls/Panel.h"
#include "host/extctrls/Shapes.h"
#include "host/extctrls/Splitter.h"
#include "host/extctrls/Timer.h"
#include "host/forms/Form.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host;

TEST(ExtCtrlsForms, APanelWithASplitterAndAShapeReadsAndWritesBack) {
    const std::string text = "object Main: TForm\r\n"
                             "  Left = 0\r\n"
                             "  Top = 0\r\n"
                             "  Caption = 'Main'\r\n"
                             "  ClientHeight = 213\r\n"
                             "  ClientWidth = 312\r\n"
                             "  Color = clBtnFace\r\n"
                             "  Font.Charset = DEFAULT_CHARSET\r\n"
                             "  Font.Color = clWindowText\r\n"
                             "  Font.Height = -11\r\n"
                             "  Font.Name = 'MS Sans Serif'\r\n"
                             "  Font.Style = []\r\n"
                             "  OldCreateOrder = False\r\n"
                             "  PixelsPerInch = 96\r\n"
                             "  TextHeight = 13\r\n"
                             "  object Panel1: TPanel\r\n"
                             "    Left = 0\r\n"
                             "    Top = 0\r\n"
                             "    Width = 312\r\n"
                             "    Height = 100\r\n"
                             "    Align = alTop\r\n"
                             "    BevelInner = bvLowered\r\n"
                             "    Caption = 'Panel1'\r\n"
                             "    TabOrder = 0\r\n"
                             "    object Splitter1: TSplitter\r\n"
                             "      Left = 2\r\n"
                             "      Top = 2\r\n"
                             "      Width = 3\r\n"
                             "      Height = 96\r\n"
                             "      MinSize = 20\r\n"
                             "      ResizeStyle = rsUpdate\r\n"
                             "    end\r\n"
                             "    object Shape1: TShape\r\n"
                             "      Left = 120\r\n"
                             "      Top = 16\r\n"
                             "      Width = 65\r\n"
                             "      Height = 65\r\n"
                             "      Brush.Color = clRed\r\n"
                             "      Pen.Width = 2\r\n"
                             "      Shape = stCircle\r\n"
                             "    end\r\n"
                             "  end\r\n"
                             "  object Timer1: TTimer\r\n"
                             "    Interval = 250\r\n"
                             "    Left = 8\r\n"
                             "    Top = 200\r\n"
                             "  end\r\n"
                             "end\r\n";
    formtest::RootPtr root = formtest::Load(text);
    ASSERT_TRUE(root);
    auto* panel = DynCast<TPanel>(root->FindComponent("Panel1"));
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->GetBevelInner(), bvLowered);
    EXPECT_EQ(panel->GetBevelOuter(), bvRaised);
    auto* split = DynCast<TSplitter>(root->FindComponent("Splitter1"));
    ASSERT_TRUE(split);
    EXPECT_EQ(split->GetParent(), panel);
    EXPECT_EQ(split->GetMinSize(), 20);
    EXPECT_EQ(split->GetResizeStyle(), rsUpdate);
    auto* shape = DynCast<TShape>(root->FindComponent("Shape1"));
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->GetShape(), stCircle);
    EXPECT_EQ(shape->GetPen()->GetWidth(), 2);
    auto* timer = DynCast<TTimer>(root->FindComponent("Timer1"));
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->GetInterval(), 250u);
    EXPECT_EQ(formtest::Save(root.get(), true), text);
}

TEST(ExtCtrlsForms, ANotebooksPagesComeFromTheFileAndTheActiveOneShows) {
    const std::string text = "object Main: TForm\r\n"
                             "  Left = 0\r\n"
                             "  Top = 0\r\n"
                             "  Caption = 'Main'\r\n"
                             "  ClientHeight = 213\r\n"
                             "  ClientWidth = 312\r\n"
                             "  Color = clBtnFace\r\n"
                             "  Font.Charset = DEFAULT_CHARSET\r\n"
                             "  Font.Color = clWindowText\r\n"
                             "  Font.Height = -11\r\n"
                             "  Font.Name = 'MS Sans Serif'\r\n"
                             "  Font.Style = []\r\n"
                             "  OldCreateOrder = False\r\n"
                             "  PixelsPerInch = 96\r\n"
                             "  TextHeight = 13\r\n"
                             "  object Notebook1: TNotebook\r\n"
                             "    Left = 8\r\n"
                             "    Top = 8\r\n"
                             "    Width = 150\r\n"
                             "    Height = 150\r\n"
                             "    PageIndex = 1\r\n"
                             "    TabOrder = 0\r\n"
                             "    object TPage\r\n"
                             "      Left = 0\r\n"
                             "      Top = 0\r\n"
                             "      Caption = 'First'\r\n"
                             "    end\r\n"
                             "    object TPage\r\n"
                             "      Left = 0\r\n"
                             "      Top = 0\r\n"
                             "      Caption = 'Second'\r\n"
                             "      object Bevel1: TBevel\r\n"
                             "        Left = 8\r\n"
                             "        Top = 8\r\n"
                             "        Width = 50\r\n"
                             "        Height = 50\r\n"
                             "        Shape = bsFrame\r\n"
                             "      end\r\n"
                             "    end\r\n"
                             "  end\r\n"
                             "end\r\n";
    formtest::RootPtr root = formtest::Load(text);
    ASSERT_TRUE(root);
    auto* nb = DynCast<TNotebook>(root->FindComponent("Notebook1"));
    ASSERT_TRUE(nb);
    ASSERT_EQ(nb->GetPageCount(), 2); // the default page made way for the file's
    EXPECT_EQ(nb->GetActivePage(), "Second");
    EXPECT_TRUE(nb->GetPage(1)->GetVisible());
    EXPECT_FALSE(nb->GetPage(0)->GetVisible());
    auto* bevel = DynCast<TBevel>(root->FindComponent("Bevel1"));
    ASSERT_TRUE(bevel);
    EXPECT_EQ(bevel->GetParent(), nb->GetPage(1));
    EXPECT_EQ(formtest::Save(root.get(), true), text);
}

} // namespace

namespace {

TEST(ExtCtrlsForms, AHeadersSectionWidthsAreKeptInTheForm) {
    const std::string text = "object Main: TForm\r\n"
                             "  Left = 0\r\n"
                             "  Top = 0\r\n"
                             "  Caption = 'Main'\r\n"
                             "  ClientHeight = 213\r\n"
                             "  ClientWidth = 312\r\n"
                             "  Color = clBtnFace\r\n"
                             "  Font.Charset = DEFAULT_CHARSET\r\n"
                             "  Font.Color = clWindowText\r\n"
                             "  Font.Height = -11\r\n"
                             "  Font.Name = 'MS Sans Serif'\r\n"
                             "  Font.Style = []\r\n"
                             "  OldCreateOrder = False\r\n"
                             "  PixelsPerInch = 96\r\n"
                             "  TextHeight = 13\r\n"
                             "  object Header1: THeader\r\n"
                             "    Left = 0\r\n"
                             "    Top = 0\r\n"
                             "    Width = 250\r\n"
                             "    Height = 25\r\n"
                             "    Sections.Strings = (\r\n"
                             "      'Name'\r\n"
                             "      'Size')\r\n"
                             "    TabOrder = 0\r\n"
                             "    SectionWidths = (\r\n"
                             "      120\r\n"
                             "      64)\r\n"
                             "  end\r\n"
                             "end\r\n";
    formtest::RootPtr root = formtest::Load(text);
    ASSERT_TRUE(root);
    auto* header = DynCast<THeader>(root->FindComponent("Header1"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->GetSectionWidth(0), 120);
    EXPECT_EQ(header->GetSectionWidth(1), 64);
    EXPECT_EQ(formtest::Save(root.get(), true), text);
    // Widths at the default are not written; more widths than sections are dropped.
    header->SetSectionWidth(0, 64);
    EXPECT_EQ(formtest::Save(root.get(), true).find("SectionWidths"), std::string::npos);
    std::string extra = text;
    extra.replace(extra.find("      64)"), 9, "      -3\r\n      99)");
    formtest::RootPtr again = formtest::Load(extra);
    auto* h2 = DynCast<THeader>(again->FindComponent("Header1"));
    ASSERT_TRUE(h2);
    EXPECT_EQ(h2->GetSectionWidth(1), 0);
    EXPECT_EQ(h2->GetSectionWidth(2), 0);
}

} // namespace
