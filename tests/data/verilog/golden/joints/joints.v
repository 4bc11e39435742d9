//
// created by NOVRA
//	macro    : joints
//	function : top module
//	update   : @TIME@
//


module joints(
	i_1__r_i, i_1_a_o, i_1_d_i,
	i_2__r_i, i_2_a_o, i_2_d_i,
	i_3__r_i, i_3_a_o, i_3_d_i,
	i_4__r_i, i_4_a_o, i_4_d_i,
	o_1__r_o, o_1_a_i, o_1_d_o,
	o_2__r_o, o_2_a_i, o_2_d_o,
	debug_select,
	reset
	);

input	i_1__r_i, i_1_d_i;
output	i_1_a_o;
input	i_2__r_i, i_2_d_i;
output	i_2_a_o;
input	i_3__r_i, i_3_d_i;
output	i_3_a_o;
input	i_4__r_i, i_4_d_i;
output	i_4_a_o;
input	o_1_a_i;
output	o_1__r_o, o_1_d_o;
input	o_2_a_i;
output	o_2__r_o, o_2_d_o;
output	debug_select;
input	reset;

	wire	w_12_16_1_1_r, w_12_16_1_1_a, w_12_16_1_1_d;
	wire	w_12_17_2_1_r, w_12_17_2_1_a, w_12_17_2_1_d;
	wire	w_12_18_3_1_r, w_12_18_3_1_a, w_12_18_3_1_d;
	wire	w_1_4_1_1_r, w_1_4_1_1_a, w_1_4_1_1_d;
	wire	w_2_4_1_2_r, w_2_4_1_2_a, w_2_4_1_2_d;
	wire	w_3_4_1_3_r, w_3_4_1_3_a, w_3_4_1_3_d;
	wire	w_4_5_1_1_r, w_4_5_1_1_a, w_4_5_1_1_d;
	wire	w_5_6_1_1_r, w_5_6_1_1_a, w_5_6_1_1_d;
	wire	w_6_7_1_1_r, w_6_7_1_1_a, w_6_7_1_1_d;
	wire	w_6_8_2_1_r, w_6_8_2_1_a, w_6_8_2_1_d;
	wire	w_6_9_3_1_r, w_6_9_3_1_a, w_6_9_3_1_d;
	wire	w_7_11_1_1_r, w_7_11_1_1_a, w_7_11_1_1_d;
	wire	w_8_11_1_2_r, w_8_11_1_2_a, w_8_11_1_2_d;
	wire	w_9_11_1_3_r, w_9_11_1_3_a, w_9_11_1_3_d;
	wire	w_10_11_1_4_r, w_10_11_1_4_a, w_10_11_1_4_d;
	wire	w_11_12_1_1_r, w_11_12_1_1_a, w_11_12_1_1_d;
	assign	w_1_4_1_1_r = i_1__r_i,
		i_1_a_o = w_1_4_1_1_a,
		w_1_4_1_1_d = i_1_d_i;
	assign	w_2_4_1_2_r = i_2__r_i,
		i_2_a_o = w_2_4_1_2_a,
		w_2_4_1_2_d = i_2_d_i;
	assign	w_3_4_1_3_r = i_3__r_i,
		i_3_a_o = w_3_4_1_3_a,
		w_3_4_1_3_d = i_3_d_i;
	assign	w_10_11_1_4_r = i_4__r_i,
		i_4_a_o = w_10_11_1_4_a,
		w_10_11_1_4_d = i_4_d_i;
	pjoint_4	pjoint_4(
		.i_1__r_i(w_1_4_1_1_r), .i_1_a_o(w_1_4_1_1_a), .i_1_d_i(w_1_4_1_1_d),
		.i_2__r_i(w_2_4_1_2_r), .i_2_a_o(w_2_4_1_2_a), .i_2_d_i(w_2_4_1_2_d),
		.i_3__r_i(w_3_4_1_3_r), .i_3_a_o(w_3_4_1_3_a), .i_3_d_i(w_3_4_1_3_d),
		.o_1__r_o(w_4_5_1_1_r), .o_1_a_i(w_4_5_1_1_a), .o_1_d_o(w_4_5_1_1_d),
		.reset(reset)
	);
	tran_5	tran_5(
		.i_i1__r_i(w_4_5_1_1_r), .i_i1_a_o(w_4_5_1_1_a), .i_i1_d_i(w_4_5_1_1_d),
		.o_o1__r_o(w_5_6_1_1_r), .o_o1_a_i(w_5_6_1_1_a), .o_o1_d_o(w_5_6_1_1_d),
		.reset(reset)
	);
	pjoint_6	pjoint_6(
		.i_1__r_i(w_5_6_1_1_r), .i_1_a_o(w_5_6_1_1_a), .i_1_d_i(w_5_6_1_1_d),
		.o_1__r_o(w_6_7_1_1_r), .o_1_a_i(w_6_7_1_1_a), .o_1_d_o(w_6_7_1_1_d),
		.o_2__r_o(w_6_8_2_1_r), .o_2_a_i(w_6_8_2_1_a), .o_2_d_o(w_6_8_2_1_d),
		.o_3__r_o(w_6_9_3_1_r), .o_3_a_i(w_6_9_3_1_a), .o_3_d_o(w_6_9_3_1_d),
		.reset(reset)
	);
	//	SELECT MODULE DEBUG
	wire debug_select_6;
	assign debug_select_6 = w_6_7_1_1_a & w_6_8_2_1_a & w_6_9_3_1_a;
	tran_7	tran_7(
		.i_a__r_i(w_6_7_1_1_r), .i_a_a_o(w_6_7_1_1_a), .i_a_d_i(w_6_7_1_1_d),
		.o_o1__r_o(w_7_11_1_1_r), .o_o1_a_i(w_7_11_1_1_a), .o_o1_d_o(w_7_11_1_1_d),
		.reset(reset)
	);
	tran_8	tran_8(
		.i_a__r_i(w_6_8_2_1_r), .i_a_a_o(w_6_8_2_1_a), .i_a_d_i(w_6_8_2_1_d),
		.o_o1__r_o(w_8_11_1_2_r), .o_o1_a_i(w_8_11_1_2_a), .o_o1_d_o(w_8_11_1_2_d),
		.reset(reset)
	);
	tran_9	tran_9(
		.i_a__r_i(w_6_9_3_1_r), .i_a_a_o(w_6_9_3_1_a), .i_a_d_i(w_6_9_3_1_d),
		.o_o1__r_o(w_9_11_1_3_r), .o_o1_a_i(w_9_11_1_3_a), .o_o1_d_o(w_9_11_1_3_d),
		.reset(reset)
	);
	pjoint_11	pjoint_11(
		.i_1__r_i(w_7_11_1_1_r), .i_1_a_o(w_7_11_1_1_a), .i_1_d_i(w_7_11_1_1_d),
		.i_2__r_i(w_8_11_1_2_r), .i_2_a_o(w_8_11_1_2_a), .i_2_d_i(w_8_11_1_2_d),
		.i_3__r_i(w_9_11_1_3_r), .i_3_a_o(w_9_11_1_3_a), .i_3_d_i(w_9_11_1_3_d),
		.i_4__r_i(w_10_11_1_4_r), .i_4_a_o(w_10_11_1_4_a), .i_4_d_i(w_10_11_1_4_d),
		.o_1__r_o(w_11_12_1_1_r), .o_1_a_i(w_11_12_1_1_a), .o_1_d_o(w_11_12_1_1_d),
		.reset(reset)
	);
	tran_12	tran_12(
		.i_i1__r_i(w_11_12_1_1_r), .i_i1_a_o(w_11_12_1_1_a), .i_i1_d_i(w_11_12_1_1_d),
		.o_a__r_o(w_12_16_1_1_r), .o_a_a_i(w_12_16_1_1_a), .o_a_d_o(w_12_16_1_1_d),
		.o_b__r_o(w_12_17_2_1_r), .o_b_a_i(w_12_17_2_1_a), .o_b_d_o(w_12_17_2_1_d),
		.o_c__r_o(w_12_18_3_1_r), .o_c_a_i(w_12_18_3_1_a), .o_c_d_o(w_12_18_3_1_d),
		.reset(reset)
	);
	assign	o_1__r_o = w_12_16_1_1_r,
		w_12_16_1_1_a = o_1_a_i,
		o_1_d_o = w_12_16_1_1_d;
	assign	o_2__r_o = w_12_17_2_1_r,
		w_12_17_2_1_a = o_2_a_i,
		o_2_d_o = w_12_17_2_1_d;
	assign	w_12_18_3_1_a = 1'b0;
	//	SELECT MODULE DEBUG
	assign debug_select = debug_select_6 ;
endmodule
