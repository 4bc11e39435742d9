//
// created by NOVRA
//	macro    : chain
//	function : top module
//	update   : @TIME@
//


module chain(
	i_1__r_i, i_1_a_o, i_1_d_i,
	o_1__r_o, o_1_a_i, o_1_d_o,
	reset
	);

input	i_1__r_i, i_1_d_i;
output	i_1_a_o;
input	o_1_a_i;
output	o_1__r_o, o_1_d_o;
input	reset;

	wire	w_1_3_1_1_r, w_1_3_1_1_a, w_1_3_1_1_d;
	wire	w_3_5_1_1_r, w_3_5_1_1_a, w_3_5_1_1_d;
	wire	w_5_7_1_1_r, w_5_7_1_1_a, w_5_7_1_1_d;
	wire	w_7_9_1_1_r, w_7_9_1_1_a, w_7_9_1_1_d;
	assign	w_1_3_1_1_r = i_1__r_i,
		i_1_a_o = w_1_3_1_1_a,
		w_1_3_1_1_d = i_1_d_i;
	tran_3	tran_3(
		.i_i1__r_i(w_1_3_1_1_r), .i_i1_a_o(w_1_3_1_1_a), .i_i1_d_i(w_1_3_1_1_d),
		.o_o1__r_o(w_3_5_1_1_r), .o_o1_a_i(w_3_5_1_1_a), .o_o1_d_o(w_3_5_1_1_d),
		.reset(reset)
	);
	tran_5	tran_5(
		.i_i1__r_i(w_3_5_1_1_r), .i_i1_a_o(w_3_5_1_1_a), .i_i1_d_i(w_3_5_1_1_d),
		.o_o1__r_o(w_5_7_1_1_r), .o_o1_a_i(w_5_7_1_1_a), .o_o1_d_o(w_5_7_1_1_d),
		.reset(reset)
	);
	tran_7	tran_7(
		.i_i1__r_i(w_5_7_1_1_r), .i_i1_a_o(w_5_7_1_1_a), .i_i1_d_i(w_5_7_1_1_d),
		.o_o1__r_o(w_7_9_1_1_r), .o_o1_a_i(w_7_9_1_1_a), .o_o1_d_o(w_7_9_1_1_d),
		.reset(reset)
	);
	assign	o_1__r_o = w_7_9_1_1_r,
		w_7_9_1_1_a = o_1_a_i,
		o_1_d_o = w_7_9_1_1_d;
endmodule
