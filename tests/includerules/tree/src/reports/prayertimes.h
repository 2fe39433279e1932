#pragma once
int prayertimes();
