#include <gtest/gtest.h>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

// The two number fields share one filter; every case runs on both.
class NumberFilter : public ::testing::TestWithParam<const char*> {
protected:
    // Each case starts from an empty field, not from the default the startup puts there.
    NumberFilter() {
        form.open();
        field.userClear();
    }

    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeTextBox& field = platform.window().textBox(GetParam());
};

INSTANTIATE_TEST_SUITE_P(BothFields, NumberFilter,
                         ::testing::Values("sekundentxt", "durchlauftxt"));

TEST_P(NumberFilter, DigitsAreAcceptedOneByOne) {
    field.userType("12");
    EXPECT_EQ(field.text(), "12");
    EXPECT_EQ(field.caretPosition(), 2);
}

TEST_P(NumberFilter, LetterAnywhereBringsBackTheLastTextWithTheCaretAtItsEnd) {
    field.userType("12");
    for (int at : {0, 1, 2}) {
        field.setCaretPosition(at);
        field.userType("x");
        EXPECT_EQ(field.text(), "12") << "typed at " << at;
        EXPECT_EQ(field.caretPosition(), 2) << "typed at " << at;
        EXPECT_EQ(field.selectionLength(), 0);
    }
}

TEST_P(NumberFilter, ClearingIsAcceptedAndRemembered) {
    field.userType("30");
    field.userClear();
    EXPECT_EQ(field.text(), "");
    field.userType("a");
    EXPECT_EQ(field.text(), "") << "the empty text was the last one accepted";
    EXPECT_EQ(field.caretPosition(), 0);
}

TEST_P(NumberFilter, LoneSignOrBlankInAnEmptyFieldIsUndone) {
    for (const char* typed : {"-", "+", " "}) {
        field.userType(typed);
        EXPECT_EQ(field.text(), "") << '"' << typed << '"';
    }
}

TEST_P(NumberFilter, ValueBeyondTheRangeIsUndone) {
    field.userType("2147483647");
    EXPECT_EQ(field.text(), "2147483647");
    field.userType("0");
    EXPECT_EQ(field.text(), "2147483647");
    EXPECT_EQ(field.caretPosition(), 10);
}

TEST_P(NumberFilter, SignTypedInFrontOfDigitsIsAcceptedAsTyped) {
    field.userType("5");
    field.setCaretPosition(0);
    field.userType("-");
    EXPECT_EQ(field.text(), "-5");
    field.setCaretPosition(0);
    field.userType(" ");
    EXPECT_EQ(field.text(), " -5") << "accepted texts keep their blanks";
    field.userType("0");
    EXPECT_EQ(field.text(), " -5") << "a digit before the sign is no number";
}

TEST_P(NumberFilter, LeadingZerosStayAsTyped) {
    field.userType("007");
    EXPECT_EQ(field.text(), "007");
}

TEST_P(NumberFilter, PastingOverAValueIsUndoneWholeAndPastingANumberIsKept) {
    field.userType("30");
    field.userSelect(0, 2);
    field.userPaste("abc");
    EXPECT_EQ(field.text(), "30");
    EXPECT_EQ(field.caretPosition(), 2);

    field.userSelect(0, 2);
    field.userPaste("45");
    EXPECT_EQ(field.text(), "45");
}

TEST_P(NumberFilter, AssignedTextIsFilteredLikeTypedText) {
    field.setText("abc");
    EXPECT_EQ(field.text(), "") << "nothing accepted yet: the field ends up empty";
    field.setText("15");
    EXPECT_EQ(field.text(), "15");
    field.setText("1x");
    EXPECT_EQ(field.text(), "15");
    EXPECT_EQ(field.caretPosition(), 2);
}

TEST_P(NumberFilter, RestoreRunsTheFilterOnceMoreNestedAndNothingElse) {
    field.userType("8");
    const int before = field.changeEvents();
    field.userType("q");
    // One change for the key, one for the restore inside it.
    EXPECT_EQ(field.changeEvents(), before + 2);
    EXPECT_EQ(field.text(), "8");
}

TEST_P(NumberFilter, BackspaceToAnInvalidTextIsUndone) {
    field.userType("5");
    field.setCaretPosition(0);
    field.userType("-");
    field.setCaretPosition(2);
    field.userBackspace();
    EXPECT_EQ(field.text(), "-5") << "a lone minus is no number";
    EXPECT_EQ(field.caretPosition(), 2);
}

}  // namespace
}  // namespace taktomat::app
