#pragma once
int alerts();
