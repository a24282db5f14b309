#include "model/form.h"
namespace transistor {
void Timer1_Timer(Form&, RandomSource&) {}
void Command1_Click(Form&, RandomSource&) {}
void Command3_Click(Form&) {}
void Timer2_Timer(Form&) {}
void Timer3_Timer(Form&) {}
void Timer4_Timer(Form&) {}
}
