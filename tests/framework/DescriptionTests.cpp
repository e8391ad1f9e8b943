#include "framework/ClassRegistry.h"
#include "framework/Description.h"
#include "framework/DescriptionReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The value of the one property of a one-object description.
TDescValue ValueOf(const std::string& written) {
  TDescObject o = ParseDescription("object A: TX\n  P = " + written + "\nend\n");
  EXPECT_EQ(o.Properties.size(), 1u);
  return o.Properties.at(0).Value;
}

TEST(Description, NumbersInEverySpelling) {
  struct Case { const char* written; std::int64_t value; } cases[] = {
      {"0", 0}, {"370", 370}, {"-12", -12}, {"+7", 7}, {"$FF", 255}, {"$ff", 255}, {"0x10", 16},
      {"-$10", -16}, {"13160660", 13160660}, {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
  };
  for (const auto& c : cases) {
    TDescValue v = ValueOf(c.written);
    EXPECT_EQ(v.Kind, TDescValueKind::Integer) << c.written;
    EXPECT_EQ(v.Integer, c.value) << c.written;
  }
}

TEST(Description, StringsIdentifiersAndSets) {
  EXPECT_EQ(ValueOf("\"Quillon\"").AsString(), "Quillon");
  EXPECT_EQ(ValueOf("\"\"").AsString(), "");
  EXPECT_EQ(ValueOf("\"宋体\"").AsString(), "宋体");
  EXPECT_EQ(ValueOf(R"("a \"b\" \\ \n\r\t")").AsString(), "a \"b\" \\ \n\r\t");
  EXPECT_EQ(ValueOf("clBtnFace").AsIdentifier(), "clBtnFace");
  EXPECT_TRUE(ValueOf("True").AsBoolean());
  EXPECT_FALSE(ValueOf("False").AsBoolean());
  EXPECT_EQ(ValueOf("[]").AsSet(), std::vector<std::string>{});
  EXPECT_EQ(ValueOf("[ biSystemMenu ,biMinimize,\n biRollUp ]").AsSet(),
            (std::vector<std::string>{"biSystemMenu", "biMinimize", "biRollUp"}));
}

TEST(Description, BinaryBlocksAcrossLines) {
  EXPECT_EQ(ValueOf("{}").AsBytes(), std::vector<std::uint8_t>{});
  EXPECT_EQ(ValueOf("{78DA01ff}").AsBytes(), (std::vector<std::uint8_t>{0x78, 0xDA, 0x01, 0xFF}));
  EXPECT_EQ(ValueOf("{\n    78 DA\r\n    01FF\n  }").AsBytes(), (std::vector<std::uint8_t>{0x78, 0xDA, 0x01, 0xFF}));

  // A block of the stored skin's size, in lines of 64 digits, with a property after it
  // whose line number shows the lines inside the block were counted.
  std::string hex;
  std::vector<std::uint8_t> expected;
  for (int i = 0; i < 34000; ++i) {
    expected.push_back(static_cast<std::uint8_t>(i * 7));
    static const char* d = "0123456789ABCDEF";
    hex += d[(i * 7 & 0xFF) >> 4];
    hex += d[i * 7 & 15];
    if (i % 32 == 31) hex += "\n      ";
  }
  TDescObject o = ParseDescription("object A: TX\n  Data = {\n      " + hex + "}\n  After = 1\nend");
  ASSERT_EQ(o.Properties.size(), 2u);
  EXPECT_EQ(o.Properties[0].Value.AsBytes(), expected);
  EXPECT_EQ(o.Properties[1].Line, 4 + 34000 / 32);
}

TEST(Description, NestingAndDottedNames) {
  TDescObject o = ParseDescription(
      "// a window\n"
      "object Form1: TForm1\n"
      "  Font.Name = \"x\"  // trailing comment\n"
      "  object Memo1: TMemo\n"
      "    object Inner: TThing\n"
      "    end\n"
      "  end\n"
      "  object Edit1: TEdit end\n"
      "end\n");
  EXPECT_EQ(o.Name, "Form1");
  EXPECT_EQ(o.ClassName, "TForm1");
  EXPECT_EQ(o.Line, 2);
  ASSERT_EQ(o.Properties.size(), 1u);
  EXPECT_EQ(o.Properties[0].Name, "Font.Name");
  EXPECT_EQ(o.Properties[0].Column, 3);
  ASSERT_EQ(o.Children.size(), 2u);
  EXPECT_EQ(o.Children[0].Children.at(0).Name, "Inner");
  EXPECT_EQ(o.Children[1].Name, "Edit1");
}

// Each malformed description fails at the given line and column.
TEST(Description, MalformedTextNamesLineAndColumn) {
  struct Case { const char* text; int line; int column; const char* says; } cases[] = {
      {"", 1, 1, "expected \"object\""},
      {"objects A: T end", 1, 1, "expected \"object\""},
      {"object A T end", 1, 10, "expected ':'"},
      {"object A: T\n  P = 1\n", 3, 1, "\"end\" missing"},
      {"object A: T\n  P 1\nend", 2, 5, "expected '='"},
      {"object A: T\n  P =\nend", 3, 1, "expected a value"},
      {"object A: T\n  P = \"abc\nend", 2, 7, "not closed"},
      {"object A: T\n  P = \"\\q\"\nend", 2, 8, "unknown escape"},
      {"object A: T\n  P = {1 23}\nend", 2, 9, "split"},
      {"object A: T\n  P = {12 3}\nend", 2, 12, "odd number"},
      {"object A: T\n  P = {123}\nend", 2, 11, "odd number"},
      {"object A: T\n  P = {12\n 3G}\nend", 3, 3, "unexpected 'G'"},
      {"object A: T\n  P = {12\n", 2, 7, "not closed"},
      {"object A: T\n  P = 12abc\nend", 2, 9, "in a number"},
      {"object A: T\n  P = 99999999999999999999\nend", 2, 7, "out of range"},
      {"object A: T\n  P = -\nend", 2, 7, "needs digits"},
      {"object A: T\n  P = [a b]\nend", 2, 10, "expected ',' or ']'"},
      {"object A: T\n  P = [1]\nend", 2, 8, "identifier in the set"},
      {"object A: T\n  P = #\nend", 2, 7, "unexpected character '#'"},
      {"object A: T\n  Font. = 1\nend", 2, 7, "may not end with '.'"},
      {"object A: T\nend\nend", 3, 1, "after the last"},
      {"object A: T\n  P = \"\xFF\"\nend", 2, 7, "UTF-8"},
      {"object A: T\n  object : U end\nend", 2, 10, "component name"},
  };
  for (const auto& c : cases) {
    try {
      ParseDescription(c.text);
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const TDescriptionError& e) {
      EXPECT_EQ(e.Line(), c.line) << c.text << " -> " << e.what();
      EXPECT_EQ(e.Column(), c.column) << c.text << " -> " << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.text << " -> " << e.what();
      EXPECT_NE(std::string(e.what()).find("line " + std::to_string(c.line)), std::string::npos) << e.what();
    }
  }
}

// Objects nested one per line, the root on line 1.
std::string Nested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "object O" + std::to_string(i) + ": T\n";
  for (int i = 0; i < depth; ++i) text += "end\n";
  return text;
}

// Nesting up to the bound reads; one level more is refused at that object's line, and so is a
// hostile depth that would otherwise exhaust the stack.
TEST(Description, NestingDepthIsBounded) {
  struct Case { int depth; int failsAtLine; } cases[] = {
      {DescriptionMaxDepth, 0}, {DescriptionMaxDepth + 1, DescriptionMaxDepth + 1},
      {1000000, DescriptionMaxDepth + 1},
  };
  for (const auto& c : cases) {
    try {
      TDescObject o = ParseDescription(Nested(c.depth));
      EXPECT_EQ(c.failsAtLine, 0) << "no error at depth " << c.depth;
      int levels = 1;
      for (const TDescObject* p = &o; !p->Children.empty(); p = &p->Children[0]) ++levels;
      EXPECT_EQ(levels, c.depth);
    } catch (const TDescriptionError& e) {
      EXPECT_EQ(e.Line(), c.failsAtLine) << "depth " << c.depth << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find("nested more than " + std::to_string(DescriptionMaxDepth) + " levels"), std::string::npos) << e.what();
    }
  }
}

TEST(Description, ValueOfTheWrongKindNamesItsPosition) {
  TDescValue v = ValueOf("\"text\"");
  try {
    v.AsInteger();
    FAIL();
  } catch (const TDescriptionError& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_EQ(e.Column(), 7);
    EXPECT_NE(std::string(e.what()).find("expected a number, found a string"), std::string::npos);
  }
  EXPECT_THROW(ValueOf("3000000000").AsInteger(), TDescriptionError);
  EXPECT_THROW(ValueOf("Yes").AsBoolean(), TDescriptionError);
}

// ---- Building components ----

class TThing : public TComponent {
public:
  using TComponent::TComponent;
  int Number = 0;
  std::string Text;
  std::vector<std::uint8_t> Bytes;
  TNotifyEvent OnPoke;
  std::function<void(int& size)> OnMeasure;
  TThing* Partner = nullptr;  // not owned
  TComponent* Parent = nullptr;  // not owned
  std::vector<std::string>* Log = nullptr;
  void Loaded() override {
    TComponent::Loaded();
    if (Log) Log->push_back("loaded " + Name());
  }
};

class TOtherThing : public TComponent {
public:
  using TComponent::TComponent;
};

class TRootThing : public TThing {
public:
  using TThing::TThing;
  TThing* First = nullptr;  // not owned
  std::vector<std::string> Calls;
  void Poked(TComponent* sender) { Calls.push_back("poked by " + sender->Name()); }
  void Measured(int& size) { size = 42; }
};

std::vector<std::string>* gLog = nullptr;

TClassRegistry MakeRegistry() {
  TClassRegistry r;
  TClassInfo thing = ComponentClass<TThing>("TThing", {
      ValueProperty<TThing>("Number", [](TThing& t, const TDescValue& v) { t.Number = v.AsInteger(); }),
      ValueProperty<TThing>("Sub.Text", [](TThing& t, const TDescValue& v) { t.Text = v.AsString(); }),
      ValueProperty<TThing>("Bytes", [](TThing& t, const TDescValue& v) { t.Bytes = v.AsBytes(); }),
      ValueProperty<TThing>("Positive", [](TThing& t, const TDescValue& v) {
        if (v.AsInteger() <= 0) throw std::out_of_range("must be positive");
        t.Number = v.AsInteger();
      }),
      EventProperty<TThing>("OnPoke", [](TThing& t, TNotifyEvent e) { t.OnPoke = std::move(e); }),
      TypedEventProperty<TThing, std::function<void(int&)>>(
          "OnMeasure", [](TThing& t, std::function<void(int&)> e) { t.OnMeasure = std::move(e); }),
      LinkProperty<TThing, TThing>("Partner", [](TThing& t, TThing* p) {
        if (t.Log) t.Log->push_back("link " + t.Name() + " -> " + p->Name() + (p->Number ? " (set)" : ""));
        t.Partner = p;
      }),
  });
  thing.Create = [](TComponent* owner, TComponent* parent) -> TComponent* {
    auto* t = TComponent::Create<TThing>(owner);
    t->Parent = parent;
    t->Log = gLog;
    return t;
  };
  r.Register(std::move(thing));
  r.Register(ComponentClass<TOtherThing>("TOtherThing"));
  r.Register(RootClass<TRootThing>("TRootThing", "TThing", {Handler<TRootThing>("Poked", &TRootThing::Poked), Handler<TRootThing>("Measured", &TRootThing::Measured)},
                                   {Field<TRootThing, TThing>("First", &TRootThing::First)}));
  return r;
}

TEST(DescriptionReader, BuildsLinksAfterAllExistInReadOrderThenLoads) {
  std::vector<std::string> log;
  gLog = &log;
  TClassRegistry registry = MakeRegistry();
  TRootThing root;
  root.Log = &log;
  ReadDescription(
      "object Root: TRootThing\n"
      "  Number = 1\n"
      "  object First: TThing\n"
      "    Partner = Second\n"      // names a component read later
      "    OnPoke = Poked\n"
      "    OnMeasure = Measured\n"
      "    Sub.Text = \"文本\"\n"
      "    object Inner: TThing\n"
      "      Partner = Root\n"
      "    end\n"
      "  end\n"
      "  object Second: TThing\n"
      "    Number = 2\n"
      "    Bytes = {0102}\n"
      "  end\n"
      "end\n",
      root, registry);
  gLog = nullptr;
  EXPECT_EQ(root.Name(), "Root");
  EXPECT_EQ(root.Number, 1);
  ASSERT_EQ(root.ComponentCount(), 3);
  auto* first = dynamic_cast<TThing*>(root.FindComponent("First"));
  auto* inner = dynamic_cast<TThing*>(root.FindComponent("Inner"));
  auto* second = dynamic_cast<TThing*>(root.FindComponent("Second"));
  ASSERT_TRUE(first && inner && second);
  EXPECT_EQ(root.First, first);
  EXPECT_EQ(first->Parent, &root);
  EXPECT_EQ(inner->Parent, first);
  EXPECT_EQ(inner->Owner(), &root);
  EXPECT_EQ(first->Text, "文本");
  EXPECT_EQ(second->Bytes, (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(first->Partner, second);
  EXPECT_EQ(inner->Partner, &root);
  ASSERT_TRUE(first->OnPoke);
  first->OnPoke(first);
  EXPECT_EQ(root.Calls, std::vector<std::string>{"poked by First"});
  int size = 0;
  ASSERT_TRUE(first->OnMeasure);
  first->OnMeasure(size);
  EXPECT_EQ(size, 42);
  // Links in read order, each after every plain property was set; then Loaded, root first.
  EXPECT_EQ(log, (std::vector<std::string>{"link First -> Second (set)", "link Inner -> Root (set)", "loaded Root",
                                           "loaded First", "loaded Inner", "loaded Second"}));
  EXPECT_FALSE(first->ComponentState().Loading);
}

TEST(DescriptionReader, FaultsNameTheLine) {
  TClassRegistry registry = MakeRegistry();
  struct Case { const char* text; int line; const char* says; } cases[] = {
      {"object R: TNope\nend", 1, "unknown class \"TNope\""},
      {"object R: TOtherThing\nend", 1, "not a TOtherThing"},
      {"object R: TRootThing\n  object X: TNope end\nend", 2, "unknown class"},
      {"object R: TRootThing\n  Colour = 1\nend", 2, "no property \"Colour\""},
      {"object R: TRootThing\n  Number = \"1\"\nend", 2, "expected a number"},
      {"object R: TRootThing\n  Positive = -1\nend", 2, "must be positive"},
      {"object R: TRootThing\n  OnPoke = Missing\nend", 2, "no handler \"Missing\""},
      {"object R: TRootThing\n  OnPoke = 3\nend", 2, "expected an identifier"},
      {"object R: TRootThing\n\n  OnPoke = Measured\nend", 3, "\"Measured\" does not take the parameters of OnPoke"},
      {"object R: TRootThing\n  object A: TThing\n\n    Partner = Ghost\n  end\nend", 4, "no component named \"Ghost\""},
      {"object R: TRootThing\n  object A: TThing\n    Partner = B\n  end\n  object B: TOtherThing end\nend", 3, "not of the class"},
      {"object R: TRootThing\n  object A: TThing end\n  object A: TThing end\nend", 3, "second component named \"A\""},
      {"object R: TRootThing\n  object First: TOtherThing end\nend", 2, "does not take a TOtherThing"},
      {"object R: TRootThing\n  object X: TRootThing end\nend", 2, "cannot be created"},
  };
  for (const auto& c : cases) {
    TRootThing root;
    try {
      ReadDescription(c.text, root, registry);
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const TDescriptionError& e) {
      EXPECT_EQ(e.Line(), c.line) << c.text << " -> " << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.text << " -> " << e.what();
    }
  }
}

TEST(ClassRegistry, RejectsBadTables) {
  TClassRegistry r;
  EXPECT_THROW(r.Register(ComponentClass<TThing>("")), std::invalid_argument);
  EXPECT_THROW(r.Register(ComponentClass<TThing>("TA", {}, "TMissing")), std::invalid_argument);
  auto noop = [](TThing&, const TDescValue&) {};
  EXPECT_THROW(r.Register(ComponentClass<TThing>("TA", {ValueProperty<TThing>("P", noop), ValueProperty<TThing>("P", noop)})),
               std::invalid_argument);
  r.Register(ComponentClass<TThing>("TA", {ValueProperty<TThing>("P", noop)}));
  r.Register(ComponentClass<TThing>("TB", {}, "TA"));
  ASSERT_TRUE(r.Find("TB"));
  EXPECT_TRUE(r.FindProperty(*r.Find("TB"), "P"));
  EXPECT_FALSE(r.FindProperty(*r.Find("TA"), "Q"));
}

}  // namespace
